#include "platform/ActivityIndicator.h"

#include <QPainter>

#include <algorithm>

namespace platform {
namespace {

// The large indicator's side: seen at once even in a window that shows the
// screens scaled down (to about nine tenths on a 1366 x 768 screen).
constexpr int kLargeSide = 88;
constexpr QColor kAmber(232, 160, 48);

} // namespace

ActivityIndicator::ActivityIndicator(QWidget* parent, Style style) : QWidget(parent)
{
    const int side = style == Style::Large ? kLargeSide : kLargeSide / 2;
    resize(side, side);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % 12;
        update();
    });
    setVisible(!hidesWhenStopped_);
}

void ActivityIndicator::startAnimating()
{
    animating_ = true;
    timer_.start();
    show();
    raise();
}

void ActivityIndicator::stopAnimating()
{
    animating_ = false;
    timer_.stop();
    if (hidesWhenStopped_)
        hide();
}

void ActivityIndicator::setHidesWhenStopped(bool hides)
{
    hidesWhenStopped_ = hides;
    if (!animating_)
        setVisible(!hides);
}

void ActivityIndicator::setCenter(QPoint centre)
{
    move(centre - rect().center());
}

void ActivityIndicator::paintEvent(QPaintEvent*)
{
    // Amber spokes on a dark rounded square: the square parts the spokes
    // from whatever lies under them, light photographs and the greyed
    // controls alike, and amber is the colour the screens mark focus and
    // choices with.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const double r = side / 2.0;
    p.translate(width() / 2.0, height() / 2.0);
    p.setPen(QPen(kAmber, std::max(1.0, side / 48.0)));
    p.setBrush(QColor(20, 20, 24, 235));
    p.drawRoundedRect(QRectF(-r, -r, side, side).adjusted(1, 1, -1, -1), r / 4, r / 4);
    for (int i = 0; i < 12; ++i) {
        const int age = (phase_ - i + 12) % 12;
        QColor c = kAmber;
        c.setAlphaF(std::max(0.2, 1.0 - age / 12.0));
        p.setPen(QPen(c, r / 8, Qt::SolidLine, Qt::RoundCap));
        p.save();
        p.rotate(i * 30.0);
        p.drawLine(QPointF(0, -r * 0.3), QPointF(0, -r * 0.7));
        p.restore();
    }
}

} // namespace platform

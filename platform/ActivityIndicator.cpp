#include "platform/ActivityIndicator.h"

#include <QPainter>
#include <cmath>

namespace platform {

ActivityIndicator::ActivityIndicator(QWidget* parent, Style style) : QWidget(parent)
{
    const int side = style == Style::Large ? 48 : 24;
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
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = std::min(width(), height()) / 2.0;
    p.translate(width() / 2.0, height() / 2.0);
    for (int i = 0; i < 12; ++i) {
        const int age = (phase_ - i + 12) % 12;
        QColor c(230, 230, 230);
        c.setAlphaF(1.0 - age / 13.0);
        p.setPen(QPen(c, r / 5, Qt::SolidLine, Qt::RoundCap));
        p.save();
        p.rotate(i * 30.0);
        p.drawLine(QPointF(0, -r * 0.45), QPointF(0, -r * 0.85));
        p.restore();
    }
}

} // namespace platform

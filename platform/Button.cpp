#include "platform/Button.h"

#include "platform/Images.h"

#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QStyleOptionButton>

namespace platform {
namespace {
std::size_t slot(ControlState s)
{
    return static_cast<std::size_t>(s);
}
} // namespace

Button::Button(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::pressed, this, [this] { update(); });
    connect(this, &QPushButton::released, this, [this] { update(); });
}

void Button::setBorderless(bool on)
{
    borderless_ = on;
    setFlat(on);
    setAttribute(Qt::WA_TranslucentBackground, on);
    update();
}

void Button::setImage(const std::string& bundleName, ControlState state)
{
    imageNames_[slot(state)] = bundleName;
    images_[slot(state)] = bundleName.empty() ? QImage() : imageNamed(bundleName);
    refresh();
}

void Button::setImage(const QImage& image, ControlState state)
{
    imageNames_[slot(state)].clear();
    images_[slot(state)] = image;
    refresh();
}

QImage Button::image(ControlState state) const
{
    return images_[slot(state)];
}
std::string Button::imageName(ControlState state) const
{
    return imageNames_[slot(state)];
}

void Button::setTitle(std::optional<std::string> title, ControlState state)
{
    titles_[slot(state)] = std::move(title);
    refresh();
}

std::optional<std::string> Button::title(ControlState state) const
{
    return titles_[slot(state)];
}

ControlState Button::currentState() const
{
    if (!isEnabled())
        return ControlState::Disabled;
    if (isDown())
        return ControlState::Highlighted;
    if (isChecked())
        return ControlState::Selected;
    return ControlState::Normal;
}

void Button::refresh()
{
    const auto& t = titles_[slot(currentState())] ? titles_[slot(currentState())]
                                                  : titles_[slot(ControlState::Normal)];
    QPushButton::setText(t ? QString::fromStdString(*t) : QString());
    update();
}

void Button::paintEvent(QPaintEvent* event)
{
    const ControlState state = currentState();
    QImage img = images_[slot(state)];
    if (img.isNull())
        img = images_[slot(ControlState::Normal)];
    if (img.isNull() && !borderless_) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    const QString text = QPushButton::text();
    QRect imageRect = rect();
    if (!img.isNull()) {
        if (!text.isEmpty()) {
            // Image on the left, title beside it, as a phone button lays them out.
            const int side = std::min(height(), width() / 2);
            imageRect = QRect(0, (height() - side) / 2, side, side);
        } else {
            QSize s = img.size().scaled(size(), Qt::KeepAspectRatio);
            imageRect = QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        }
        if (isDown())
            p.setOpacity(0.6);
        p.drawImage(imageRect, img);
        p.setOpacity(1.0);
    }
    if (!text.isEmpty()) {
        QRect textRect = rect();
        if (!img.isNull())
            textRect.setLeft(imageRect.right() + 2);
        p.setPen(palette().color(isEnabled() ? QPalette::ButtonText : QPalette::PlaceholderText));
        p.setFont(font());
        p.drawText(textRect, Qt::AlignCenter, text);
    }
    // Keyboard focus, as the style shows it on its own buttons: only once the
    // keyboard has moved focus in the window. The frame is drawn here because
    // the image covers the button's whole face.
    QStyleOptionButton option;
    option.initFrom(this);
    if ((option.state & QStyle::State_HasFocus) &&
        (option.state & QStyle::State_KeyboardFocusChange)) {
        p.setOpacity(1.0);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0), 4.0, 4.0);
    }
}

} // namespace platform

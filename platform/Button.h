#pragma once
// A push button with an image and a title per control state and an integer
// tag. A button given no image keeps the ordinary push-button look; a
// borderless button (the fret buttons) draws nothing but its image and title.
#include <QImage>
#include <QPushButton>
#include <array>
#include <optional>
#include <string>

namespace platform {

enum class ControlState { Normal = 0, Highlighted = 1, Selected = 2, Disabled = 3 };

class Button : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int tag READ tag WRITE setTag)
    Q_PROPERTY(bool borderless READ borderless WRITE setBorderless)
    Q_PROPERTY(QString imageName READ imageNameProperty WRITE setImageNameProperty)
    // The normal state's title, as a layout gives it.
    Q_PROPERTY(QString title READ titleProperty WRITE setTitleProperty)
public:
    explicit Button(QWidget* parent = nullptr);

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    bool borderless() const { return borderless_; }
    void setBorderless(bool on);

    // An empty name or a null image clears the image of that state.
    void setImage(const std::string& bundleName, ControlState state = ControlState::Normal);
    void setImage(const QImage& image, ControlState state = ControlState::Normal);
    QImage image(ControlState state = ControlState::Normal) const;
    // The bundle name last set for the state, if any ("" when cleared).
    std::string imageName(ControlState state = ControlState::Normal) const;

    // No title (std::nullopt) differs from an empty title only in that the
    // state falls back to the normal state's title.
    void setTitle(std::optional<std::string> title, ControlState state = ControlState::Normal);
    std::optional<std::string> title(ControlState state = ControlState::Normal) const;

    void setHidden(bool hidden) { QPushButton::setHidden(hidden); }

    // The state the button shows now.
    ControlState currentState() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString imageNameProperty() const { return QString::fromStdString(imageName()); }
    void setImageNameProperty(const QString& n) { setImage(n.toStdString()); }
    QString titleProperty() const { return QString::fromStdString(title().value_or("")); }
    void setTitleProperty(const QString& t) { setTitle(t.toStdString()); }
    void refresh();

    int tag_ = 0;
    bool borderless_ = false;
    std::array<QImage, 4> images_;
    std::array<std::string, 4> imageNames_;
    std::array<std::optional<std::string>, 4> titles_;
};

} // namespace platform

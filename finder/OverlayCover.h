#pragma once
// A transparent cover over the whole screen while the instructions overlay is
// shown. It takes the keyboard focus, so Escape reaches it also where the
// screen is drawn scaled; a click anywhere on the screen or Escape asks to
// close the overlay, and reaches no control beneath.
#include <QWidget>

namespace finder {

class OverlayCover : public QWidget {
    Q_OBJECT
public:
    explicit OverlayCover(QWidget* screen);

    // Covers the screen, above every control, and takes the focus.
    void cover();

Q_SIGNALS:
    void closeRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace finder

#pragma once
// The instructions overlay: its pictures and notes, and a transparent cover
// over the whole screen while any of them shows. The cover takes the keyboard
// focus, so Escape reaches it also where the screen is drawn scaled; a click
// anywhere on the screen or Escape closes the overlay, and reaches no control
// beneath.
#include <QList>
#include <QWidget>

namespace finder {

class InstructionsOverlay : public QWidget {
    Q_OBJECT
public:
    // The cover is a child of `screen`; `parts` are the overlay's widgets.
    InstructionsOverlay(QWidget* screen, QList<QWidget*> parts);

    // Flips each part from its own state; covers the screen while any shows.
    void toggle();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<QWidget*> parts_;
};

} // namespace finder

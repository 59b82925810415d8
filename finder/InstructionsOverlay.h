#pragma once
// The instructions overlay: its pictures and notes, and a transparent cover
// over the whole screen while any of them shows. The cover takes the keyboard
// focus, so Escape reaches it also where the screen is drawn scaled; a click
// anywhere on the screen or Escape closes the overlay, and reaches no control
// beneath.
#include <QList>
#include <QWidget>

class QLabel;

namespace finder {

class InstructionsOverlay : public QWidget {
    Q_OBJECT
public:
    // A picture of the overlay: a label and the bundle image it shows.
    struct Picture {
        QLabel* label;
        const char* imageName;
    };

    // The cover is a child of `screen`. The overlay is the pictures, whose
    // images are decoded when first shown rather than at start, and the
    // screen's notes (its labels named "label_instr" and a number).
    InstructionsOverlay(QWidget* screen, QList<Picture> pictures);

    // Flips each part from its own state; covers the screen while any shows.
    void toggle();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<QWidget*> parts_;
    QList<Picture> pictures_;
};

} // namespace finder

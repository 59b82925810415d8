#pragma once
// The main screen's fretboard: the drawn neck with its 96 fret buttons and the
// six fret labels. Each button is named by its position ("C1C0" .. "C6C15")
// and carries its position code as tag; the labels are "cdr1" (string 1) to
// "cdr6" (string 6), in a column beside the open strings. The picture and the
// children follow the widget's size.
#include "fretboard/model/Position.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

#include <array>

namespace platform {
class Button;
}

namespace fretboard {

class FretboardView : public QWidget {
    Q_OBJECT
public:
    explicit FretboardView(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {1100, 230}; }
    QSize minimumSizeHint() const override { return {550, 115}; }

    // The button of a valid position; the fret label of string 1..6.
    platform::Button* button(Position position) const;
    QLabel* label(int string) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeChildren();

    std::array<platform::Button*, kPositionCount> buttons_{};
    std::array<QLabel*, kStringCount> labels_{};
    QImage picture_;
};

} // namespace fretboard

#pragma once
// Where each part of the main screen's fretboard lies for a given widget size.
//
// The neck is seen as the player looks down at it, as in the chord
// photographs: the nut on the left, the low E string (6) at the top and the
// high E string (1) at the bottom. From the left: the column of fret labels,
// the open strings (fret 0), the nut, then frets 1 to 15 spaced as on a real
// neck, each fret space 2^(-1/12) as wide as the one before it. A strip under
// the neck holds the numbers of the marked frets. Everything scales with the
// widget's height and width.
#include "fretboard/model/Position.h"

#include <QRectF>
#include <QSizeF>

namespace fretboard {

class FretboardGeometry {
public:
    explicit FretboardGeometry(QSizeF size);

    QSizeF size() const { return size_; }
    QRectF labelColumn() const;
    QRectF openColumn() const;
    QRectF nut() const;
    // The fingerboard, from the nut's right edge to its far end.
    QRectF board() const;
    // The strip under the neck for the fret numbers.
    QRectF numberStrip() const;

    double stringSpacing() const { return spacing_; }
    // The line of a string, 1 (high E, bottom) to 6 (low E, top).
    double stringY(int string) const;
    // The wire that closes fret 1..15; fret 0 gives the nut's right edge.
    double fretWireX(int fret) const;
    double fretWireWidth() const;
    // The middle of a fret's space, or of the open column for fret 0.
    double fretCentreX(int fret) const;

    // The area of the button of a position: its whole fret space across and
    // most of the gap between strings.
    QRectF buttonRect(Position position) const;
    // The fret label of a string, in the label column on the string's line.
    QRectF labelRect(int string) const;

private:
    QSizeF size_;
    double labelWidth_;
    double openWidth_;
    double nutWidth_;
    double boardTop_;
    double boardBottom_;
    double boardEnd_;
    double scaleLength_;
    double spacing_;
};

} // namespace fretboard

#pragma once
// Draws the photograph of a hand position on a nylon-string guitar neck, seen by
// the player: headstock to the left, the low E string at the top, the fingers
// reaching over the neck from below.
#include "tools/photos/HandShape.h"

#include <QImage>
#include <QPointF>

#include <array>
#include <vector>

namespace photos {

// One finger as drawn: where it presses, how wide it is, how far the tip
// reaches beyond the pressed string and how much it leans (degrees).
struct FingerPlacement {
    QPointF press;
    double width;
    double reach;
    double tilt;
};

class ChordPhotoPainter {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 360;

    // Prepares the empty necks (wood, frets, strings, position numbers), one per
    // first fret. Construct it on the thread that owns the QGuiApplication:
    // it is the only step that draws text.
    ChordPhotoPainter();

    // The picture of one voicing: opaque, kWidth x kHeight. Safe to call from
    // several threads at once.
    QImage render(const FretPattern& frets) const;

    // The fingers the fingering model gives a voicing, in drawing order: the
    // fingers lying flat first (the index's barre before any other), then one
    // per other note, from the low E string down. Single fingers on one fret
    // stand side by side, the one on the lowest-pitched string nearest the
    // nut.
    static std::vector<FingerPlacement> placeFingers(const FretPattern& frets);

    // Where a lone finger presses `string` at `fret` (1 to 15) when the picture
    // starts at firstFret: on the string, just behind the fret wire.
    static QPointF notePoint(int firstFret, int string, int fret);
    // Height of a string's line, string 1 (bottom) to 6 (top).
    static double stringY(int string);
    // Across-the-neck position of the wire that closes fret `fret` (fret
    // firstFret - 1 is the nut or the wire at the left of the first space).
    static double fretWireX(int firstFret, int fret);
    // Where the ring or cross of an open or muted string sits.
    static QPointF stringMarkPoint(int string);

private:
    std::array<QImage, 15> necks_; // by first fret shown, 1 to 15
};

} // namespace photos

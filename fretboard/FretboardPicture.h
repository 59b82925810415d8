#pragma once
// The picture behind the fret buttons: a rosewood fingerboard with nickel
// frets and pearl inlays, a bone nut, the open strings on the dark headstock
// side, six strings of their real gauges and the numbers of the marked frets.
#include "fretboard/FretboardGeometry.h"

#include <QImage>

namespace fretboard {

// The whole picture for the geometry's size, at the given device pixel ratio.
// The same size always gives the same picture.
QImage paintFretboardPicture(const FretboardGeometry& geometry, double devicePixelRatio = 1.0);

} // namespace fretboard

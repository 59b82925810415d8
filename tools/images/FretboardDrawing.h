#pragma once
// The picture behind the main screen's fret buttons: a rosewood fingerboard
// with nickel frets and pearl inlays, a bone nut, the open strings on the dark
// headstock side, six strings of their real gauges and the numbers of the
// marked frets. Drawn here, at build time, because the wood grain alone costs
// hundreds of millions of instructions; the program loads the result.
#include "fretboard/FretboardGeometry.h"

#include <QImage>

namespace images {

// The whole picture for the geometry's size, at the given device pixel ratio.
// The same size and ratio always give the same picture.
QImage drawFretboard(const fretboard::FretboardGeometry& geometry, double devicePixelRatio);

} // namespace images

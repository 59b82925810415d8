#pragma once
// The picture behind the fret buttons, drawn at build time (tools/images) for
// the view's size in the main screen's layout at a few device pixel ratios,
// and loaded here from the bundle.
#include "fretboard/FretboardGeometry.h"

#include <QImage>
#include <QRgb>
#include <QSize>

#include <array>
#include <string>

namespace fretboard {

// The size, in device-independent pixels, the picture is drawn for.
inline constexpr QSize kPictureSize{1100, 230};
// The device pixel ratios it is drawn at. A view shown larger than the drawn
// size, or on a screen of a higher ratio, takes the next drawing up.
inline constexpr std::array<int, 3> kPictureRatios{1, 2, 3};
// The colour around the neck, and of the whole picture when none loads.
inline constexpr QRgb kPictureBackground = 0xff1c1c1e;

// Bundle name of the drawing at `ratio`: "braco.ppm", "braco@2x.ppm", ...
// Uncompressed: the wood grain compresses poorly, and a PNG of it takes
// 3.6 ms to decode at ratio 1 and 12 ms at ratio 2 where this takes 0.3 and 1.
inline std::string pictureFileName(int ratio)
{
    return ratio == 1 ? "braco.ppm" : "braco@" + std::to_string(ratio) + "x.ppm";
}

// The picture for the geometry's size at the given device pixel ratio: the
// bundle's drawing that fits, scaled when the view is not at the drawn size.
// A missing drawing is logged and gives the plain background.
QImage paintFretboardPicture(const FretboardGeometry& geometry, double devicePixelRatio = 1.0);

} // namespace fretboard

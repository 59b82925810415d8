#pragma once
// The hand position of one chord voicing, as the photograph shows it. Plain C++:
// the fret logic is kept apart from the drawing so it can be checked on its own.
//
// Strings are numbered as in the catalogue: 1 is the high E string, 6 the low E
// string. A fret is kMuted (string not played), 0 (open string) or 1 to 15.
#include "catalogue/Acorde.h"
#include "catalogue/FretPattern.h"

#include <array>
#include <optional>

namespace photos {

constexpr int kStrings = 6;
using catalogue::kMuted;
// How many fret spaces a photograph shows; every catalogue voicing fits in it.
constexpr int kFretsShown = 6;

using catalogue::FretPattern;

// The fret the picture starts from: 1 (the nut in view) when every fretted note
// lies within the first kFretsShown frets, else the lowest fretted fret. A
// voicing with no fretted note starts at 1.
int firstFretShown(const FretPattern& frets);

// Whether every fretted note lies within the kFretsShown frets from
// firstFretShown; a note beyond them could not be drawn.
bool fitsInPicture(const FretPattern& frets);

} // namespace photos

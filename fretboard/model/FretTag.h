#pragma once
// The position code that each fret button carries as its integer tag.
//
// Written in decimal, the code is the string number followed by the fret
// number without leading zeros: 10 * string + fret for frets 0 to 9 (10..69),
// 100 * string + fret for frets 10 to 15 (110..615). Code 63 is string 6,
// fret 3; code 110 is string 1, fret 10, while code 11 is string 1, fret 1.
#include "fretboard/model/Position.h"

#include <optional>

namespace fretboard {

long tagForPosition(Position position);

// The position a tag stands for. Only the 96 position codes decode; any other
// tag (a single digit, 99, 100..109, 116..199, 70..98, negative, ...) is no
// position, so the tap changes no label.
std::optional<Position> positionFromTag(long tag);

} // namespace fretboard

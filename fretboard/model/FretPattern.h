#pragma once
// How a chord voicing is written as text.
//
// A fret text says what one string does: " " (one blank) when the string is
// not played, else the position number without leading zeros, "0" (played
// open) to "15". These 17 texts are the only fret texts.
//
// A fret pattern is six fret texts for strings 1 (high E) to 6 (low E), in
// that order, wherever it is held: the records' C1..C6, the six fret labels,
// the arguments of the drawing and the chord player.
#include "fretboard/model/Position.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace fretboard {

using FretText = std::string;
inline constexpr std::string_view kNotPlayed = " ";

// Index 0 holds string 1 (high E), index 5 string 6 (low E).
using FretPattern = std::array<FretText, kStringCount>;

// The fret number of a fret text, "0".."15". " " (not played) and any text
// that is not a fret text give no fret.
std::optional<int> fretFromText(std::string_view fretText);

// The text of a fret number, "0".."15".
FretText fretText(int fret);

// The position a string plays in a pattern: the string prefix joined to its
// fret text. A string not played, or a text that is no fret text, plays no
// position, so nothing is drawn or sounded for it.
std::optional<Position> playedPosition(int string, std::string_view fretText);

// Tapping a fret toggles it on its string: the fret the string already shows
// (exact text equality) is taken off (" "), any other is put on.
FretText toggledFretText(std::string_view current, std::string_view tapped);

// Compact form for tests and logs: "x,1,0,2,3,x" for the C major voicing,
// strings 1 to 6, "x" for a string not played, other texts as they stand.
std::string formatPattern(const FretPattern& pattern);

} // namespace fretboard

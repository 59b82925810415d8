#pragma once
// The fret labels: each of the six shows the fret text of its string (see
// catalogue/FretPattern.h), and a tap on a fret changes that text.
#include "catalogue/FretPattern.h"
#include "fretboard/model/Position.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace fretboard {

// The position a string plays for a fret text: a string not played, or a text
// that is no fret text, plays no position, so nothing is drawn or sounded for
// it.
std::optional<Position> playedPosition(int string, std::string_view fretText);

// Tapping a fret toggles it on its string: the fret the string already shows
// (exact text equality) is taken off (" "), any other is put on.
std::string toggledFretText(std::string_view current, std::string_view tapped);

// The pattern six label texts show, strings 1 to 6; a text that is no fret
// text counts as a string not played.
catalogue::FretPattern patternOfTexts(const std::array<std::string, kStringCount>& texts);

} // namespace fretboard

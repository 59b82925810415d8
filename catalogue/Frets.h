#pragma once
// A fret pattern of the six strings. Index 0 is string 1 (high E), index 5
// string 6 (low E), as C1..C6 of a record. kMuted marks a string not sounded,
// 0 the open string, 1 to 15 a fretted note.
#include "catalogue/Acorde.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

using Frets = std::array<int, 6>;
inline constexpr int kMuted = -1;
inline constexpr int kHighestFret = 15;
// Standard tuning as MIDI notes, string 1 (E4) to string 6 (E2).
inline constexpr std::array<int, 6> kOpenStringMidi = {64, 59, 55, 50, 45, 40};

// The fret of one fret text: kMuted for " ", 0 to 15 for "0" to "15" (no
// leading zeros); nothing for any other text.
std::optional<int> parseFretText(std::string_view text);
// The pattern of a record's C1..C6; nothing when a text is no fret text.
std::optional<Frets> fretsOf(const Acorde& record);
// " " for kMuted, else the fret number in decimal.
std::string fretText(int fret);
// Compact form, strings 1 to 6: "x,1,0,2,3,x".
std::string toString(const Frets& frets);
// Sum of the sounded strings' frets.
int fretSum(const Frets& frets);

} // namespace catalogue

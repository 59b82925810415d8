#pragma once
// Note names and chord symbols.
//  - A note name is a letter C D E F G A B, alone or followed by "#" (sharp),
//    "x" (double sharp), "b" (flat) or "bb" (double flat).
//  - A pitch class counts semitones above C, 0 to 11.
//  - A chord symbol (Cifra) is the root name, the type suffix and, for a slash
//    type, the bass note's name: "Cm7", "C triad", "Cm7/Bb", "D#/Fx".
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// Pitch class of a count of semitones above C, negative counts included.
inline constexpr int mod12(int semitones)
{
    return ((semitones % 12) + 12) % 12;
}

// Pitch class of a note name; nothing for a text that is no note name.
std::optional<int> pitchClass(std::string_view noteName);

// Name of the bass note `interval` semitones above the root: the third (3 or
// 4), the fifth (7) or the seventh (10). The letter is the root's moved on 2, 4
// or 6 places in C D E F G A B; the accidental is whichever of none, #, x, b,
// bb gives the interval ("D#", 4 -> "Fx"; "Gb", 3 -> "Bbb"). Empty when no
// such name exists.
std::string bassName(std::string_view rootName, int interval);

// The chord symbol of a root text and type text; for a slash type, of the bass
// `bassInterval` semitones above the root. Plain major is the root name alone;
// " 7/ " with the minor seventh in the bass drops the 7 ("C/Bb").
std::string chordSymbol(std::string_view tonica, std::string_view tipo, int bassInterval = -1);

} // namespace catalogue

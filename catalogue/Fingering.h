#pragma once
// Whether one hand can play a fret pattern. The hand has four fingers: the
// index may bar several strings at the lowest fretted fret (not across an open
// string that sounds), and one other finger may lie flat across adjacent
// strings all fretted at the highest fretted fret; every other fretted string
// takes a finger of its own.
#include "catalogue/FretPattern.h"

#include <string>

namespace catalogue {

inline constexpr int kFingers = 4;
// The fretted strings lie within this many consecutive frets.
inline constexpr int kMaxFretsSpanned = 6;
inline constexpr int kMinSoundingStrings = 3;

struct HandShape {
    int fingers = 0;      // fingers the pattern needs
    int lowest = 0;       // lowest fretted fret (0 when nothing is fretted)
    int highest = 0;      // highest fretted fret
    int barreStrings = 0; // strings under the index barre (0 or 1: no barre)
    int flatStrings = 0;  // strings under the flat finger at the highest fret
};

HandShape handShape(const FretPattern& frets);

// Why the pattern cannot be played, or empty when it can: frets 0 to 15, at
// least three strings sounding, string 3 sounding, fretted strings within six
// consecutive frets, at most four fingers.
std::string playabilityProblem(const FretPattern& frets);

} // namespace catalogue

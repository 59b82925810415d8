#pragma once
// How one hand frets a pattern. The hand has four fingers: the index (1),
// middle (2), ring (3) and little finger (4).
//  - The index takes the lowest fretted fret. Reaching over the neck from the
//    high E side, it lies flat (a barre) across adjacent strings held at its
//    fret, covering only strings that sound there or that a finger in front
//    of it frets higher: never a muted string, which the barre would sound,
//    nor an open one, and with no open string sounding between it and string
//    1. Strings held at its fret outside the barre take a finger each.
//  - Every other fretted string takes a finger of its own; only when that
//    would not fit the hand, one finger lies flat across two or three
//    adjacent strings all held at one fret above the index's.
//  - Fingers follow one another from lower to higher frets (on one fret, the
//    lower-pitched string takes the lower finger), so no finger lies behind
//    another on a string: a string under the barre that sounds higher is
//    held by a finger in front of it. A string beside the barre on its bass
//    side at the barre's own fret can't be held: that finger would lie
//    behind the index.
//  - Two fingers lie at most one fret further apart than the difference of
//    their numbers: neighbouring fingers two frets, index to little four.
#include "catalogue/FretPattern.h"

#include <string>
#include <vector>

namespace catalogue {

inline constexpr int kFingers = 4;
// The fretted strings lie within this many consecutive frets.
inline constexpr int kMaxFretsSpanned = 6;
inline constexpr int kMinSoundingStrings = 3;

// One finger on the neck: `finger` 1 (index) to 4 (little) at `fret`, over
// strings fromString (highest-pitched) to toString; equal for a single note.
struct FingerPlace {
    int finger = 1;
    int fret = 0;
    int fromString = 0;
    int toString = 0;
    bool liesFlat() const { return toString > fromString; }
    bool operator==(const FingerPlace&) const = default;
};

struct Fingering {
    // Fingers the hand uses; where no hand holds the pattern, the fewest
    // places any covering of its fretted strings needs.
    int needed = 0;
    std::vector<FingerPlace> fingers; // index first; empty when no hand holds it
    int lowest = 0;                   // lowest fretted fret (0 when nothing is fretted)
    int highest = 0;                  // highest fretted fret
    // How hard the hand works: fingers, barres, stretches beyond one fret per
    // finger, the span, and fingers reaching a lower string behind the barre.
    int effort = 0;
    bool barre() const { return !fingers.empty() && fingers.front().liesFlat(); }
    // Whether a hand holds the pattern (every fretted string under a finger).
    bool held() const { return !fingers.empty(); }
};

Fingering fingeringOf(const FretPattern& frets);

// How far the hand reaches from the index to the little finger where it
// sits. The frets are widest near the nut: with the hand at fret 6 or lower
// the two lie at most three frets apart, four only from fret 7 up. Four
// apart at fret 5 or 6 is a stretch only a large hand makes; at fret 4 or
// lower no hand makes it.
enum class Reach { Within, Stretch, Beyond };
Reach reachOf(const Fingering& hand);

// Whether the index holds one string alone with fingers three frets or more
// up on strings on both sides of it: no hand turns that way.
bool isContorted(const Fingering& hand);

// Why the pattern is no voicing the catalogue can hold, or empty when it is:
// frets 0 to 15, at least three strings sounding, string 3 sounding, at least
// one string fretted, fretted strings within six consecutive frets, and a
// hand that holds it: a shape that needs a fifth finger, or fingers out of
// order or beyond their reach, is no voicing.
std::string playabilityProblem(const FretPattern& frets);

} // namespace catalogue

#pragma once
// Chooses a symbol's voicings from its legal ones: the best ranked first, each
// further one paying for likeness to those already standing, so the voicings
// of one symbol spread over the neck instead of repeating a shape. The first
// one chosen before any fixed record keeps the symbol's first place.
#include "VoicingSearch.h"

#include <limits>
#include <vector>

namespace voicings {

// A run of records between fixed records: `count` voicings whose fret sums
// lie in [minSum, maxSum], so that the fixed records keep their places when
// the run is ordered by fret sum.
struct Slot {
    int minSum = 0;
    int maxSum = std::numeric_limits<int>::max();
    int count = 0;
};

struct Picked {
    std::vector<std::vector<catalogue::FretPattern>>
        slots;                                 // each slot's voicings, in order of choice
    std::vector<catalogue::FretPattern> order; // all of them, in order of choice
    int repeated = 0; // voicings repeated because no further legal one fits
};

// `standing`: voicings already there (fixed records); `preferred`: voicings to
// take first where they are legal and fit (the sharp or flat twin's choice).
// `bookPair`: a chord taught at the nut, whose second voicing is the next
// best first voicing of the same kind (the book's other grip or barre).
Picked pickVoicings(const std::vector<Candidate>& candidates,
                    const std::vector<catalogue::FretPattern>& standing,
                    const std::vector<catalogue::FretPattern>& preferred,
                    const std::vector<Slot>& slots, bool bookPair);

} // namespace voicings

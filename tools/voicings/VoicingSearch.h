#pragma once
// Every way to play a chord on the six strings within the rules of what the
// chord sounds and what one hand can hold, each with a cost that says how far
// it is from the voicings a guitarist reaches for first.
#include "catalogue/ChordTones.h"
#include "catalogue/FretPattern.h"

#include <vector>

namespace voicings {

struct Candidate {
    catalogue::FretPattern frets{};
    int cost = 0;     // in tenths; lower is better
    int position = 0; // 0 for a shape with open strings, else the lowest fret
    int sum = 0;      // fret sum, the catalogue's last order key
};

// All legal voicings of the chord over rootPc (bassInterval -1 unless a slash
// names a bass), cheapest first; ties in fret order, so the list is the same
// on every run.
std::vector<Candidate> legalVoicings(int rootPc, const catalogue::ChordTones& chord,
                                     int bassInterval);

// The cost of one voicing (which must be legal).
int voicingCost(const catalogue::FretPattern& frets, int rootPc, const catalogue::ChordTones& chord,
                int bassInterval);

// Where a shape sits on the neck: 0 when it sounds an open string, else its
// lowest fret.
int neckPosition(const catalogue::FretPattern& frets);

} // namespace voicings

#pragma once
// Every way to play a chord on the six strings within the rules of what the
// chord sounds and what one hand can hold, ranked the way a chord book shows
// them: open grips, four-note grips and barres (see GripShape.h and
// ChordForms.h), then the others by where they sit and what they cost.
#include "ChordForms.h"
#include "catalogue/ChordTones.h"
#include "catalogue/Fingering.h"
#include "catalogue/FretPattern.h"

#include <vector>

namespace voicings {

struct Candidate {
    catalogue::FretPattern frets;
    int cost = 0; // in tenths; lower is better
    // As a symbol's first voicing: the form's class and place, then the
    // cost; lower comes first.
    int lead = 0;
    // As a further voicing, beside the ones chosen: the grip's family, what
    // the hand does and whether the bass and third are there.
    int rank = 0;
    int position = 0; // 0 for a shape with open strings, else the lowest fret
    int sum = 0;      // fret sum, the catalogue's last order key
    // Grips taken only where no other fills a slot: a low stretch, and the
    // grips a player avoids (the index turned inside the grip, muddy low
    // voices, a #9 under the 3rd, three thin notes high up).
    bool stretch = false;
    bool avoided = false;
    bool lastResort() const { return stretch || avoided; }
    bool otherBass = false; // lowest neither the root nor the named bass
};

// All legal voicings of the chord over rootPc (bassInterval -1 unless a slash
// names a bass), best ranked first as further voicings; ties in fret order,
// so the list is the same on every run.
std::vector<Candidate> legalVoicings(int rootPc, const catalogue::ChordTones& chord,
                                     int bassInterval);

// The cost of one voicing (which must be legal) that is or is not a form,
// held with `hand` (its fingeringOf).
int voicingCost(const catalogue::FretPattern& frets, int rootPc, const catalogue::ChordTones& chord,
                int bassInterval, const FormMatch& form, const catalogue::Fingering& hand);

// Where a shape sits on the neck: 0 when it sounds an open string, else its
// lowest fret.
int neckPosition(const catalogue::FretPattern& frets);

} // namespace voicings

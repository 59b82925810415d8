#pragma once
// What each chord type sounds: the tones a voicing must sound, the tones it may
// add, and what it may leave out. Tones are intervals in semitones above the
// root (0 to 11), held as bit masks (bit i = interval i).
#include "catalogue/FretPattern.h"

#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

struct ChordTones {
    std::string tipo;      // the type text, " m7 ", "  . "
    unsigned must = 0;     // tones that sound unless a leaving-out rule allows
    unsigned optional = 0; // tones that may also sound
    int third = -1;        // interval of the chord's third; -1 for sus and dim(4)
    bool complete = false; // triad types: root, third and fifth all sound
    bool extended = false; // a sixth or seventh chord naming a tension
    int mustCount() const;
};

// The 91 types in catalogue order.
const std::vector<ChordTones>& chordTypes();
// The entry of a type text; nullptr for a text that is no type.
const ChordTones* chordTonesOf(std::string_view tipo);

// What keeps a set of sounding tones from being the chord.
enum class ToneFault {
    None,
    ForeignTone,        // a tone the chord does not hold
    WrongBass,          // a slash chord whose named bass is not the lowest note
    IncompleteTriad,    // a triad type without all three tones
    MissingTone,        // a tone that always sounds is missing
    RootLeftOut,        // root missing from a chord that is not extended
    ThirdLeftOut,       // third missing from a chord of fewer than five tones
    RootAndThirdLeftOut // both missing from a chord of fewer than six tones
};

// The tones a voicing of the chord may sound: its own, and the bass a slash
// symbol names (bassInterval, or -1 for none).
unsigned allowedTones(const ChordTones& chord, int bassInterval);

// `heard`: mask of the intervals sounding; `bass`: interval of the lowest
// sounding note; `bassInterval`: the bass a slash symbol names, or -1.
ToneFault toneFault(unsigned heard, int bass, const ChordTones& chord, int bassInterval);

// Why a set of sounding tones is not the chord, or empty when it is.
std::string toneProblem(unsigned heard, int bass, const ChordTones& chord, int bassInterval);

// The same for a fret pattern over a root (pitch class 0..11).
std::string toneProblem(const FretPattern& frets, int rootPc, const ChordTones& chord,
                        int bassInterval);

// Where a voicing of `strings` sounding strings leaves out a tone that must
// sound, whether it left out the right ones, or why not: a tone that must
// sound gives way only where the strings cannot hold every one, the root
// (where it may go) before the third, and a tone that may sound never
// sounds in place of one that must. Empty when nothing is wrong.
std::string givingWayProblem(unsigned heard, int strings, const ChordTones& chord,
                             int bassInterval);

// Mask of the intervals a pattern sounds over the root, and the interval of
// its lowest sounding note (-1 when nothing sounds).
unsigned heardTones(const FretPattern& frets, int rootPc);
int bassTone(const FretPattern& frets, int rootPc);

} // namespace catalogue

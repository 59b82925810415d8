#pragma once
// What a shape looks like on the neck, as a chord book sorts grips: open
// grips at the nut, the four-note grips of jazz voicing (drop-2, drop-3 and
// shells, which may leave a string inside the shape silent), and strummed
// shapes of five or six strings, which may not.
#include "catalogue/ChordTones.h"
#include "catalogue/Fingering.h"
#include "catalogue/FretPattern.h"

namespace voicings {

// Open strings ring with a hand whose fretted notes lie within this fret.
inline constexpr int kOpenGripFrets = 4;
// No open string sounds under a hand from this fret up: it rings far from
// the notes the hand holds.
inline constexpr int kOpenHandBelow = 7;

// The strings from the bass to the top sounding string, and what they do.
struct StringSpan {
    int bass = 0; // string number of the lowest sounding string
    int top = 0;  // string number of the highest sounding string
    int sounding = 0;
    int insideMuted = 0; // silent strings between the two
    int open = 0;        // open strings that sound
    int width() const { return bass - top + 1; }
};
StringSpan spanOf(const catalogue::FretPattern& frets);

// Three or four sounding strings, each a different tone, with at most one
// silent string inside: the grips a finger mutes the gap of by ordinary
// technique.
bool isFourNoteGrip(const catalogue::FretPattern& frets, int rootPc);

// A silent string inside the shape that no finger damps, so a strummed chord
// would sound it. The finger on a fretted bass leans on the string next to
// it; the gap of a four-note grip is muted by ordinary technique; nothing
// touches the string next to an open bass.
bool hasMutedGap(const catalogue::FretPattern& frets, int rootPc);

// The grips a player of this music reaches for, by the strings they sound,
// the bass on the lowest string of the set: four-note grips (drop-3 from
// string 6 or 5 with the string above the bass damped, four adjacent strings
// from string 5 or 4), five strings from string 6 with the A string damped,
// five from string 5, all six; anything else.
enum class GripFamily { FourNote, FiveOverDamped, FiveFromA, Six, Other };
GripFamily gripFamily(const catalogue::FretPattern& frets);

// Where on the neck a shape lies, by its lowest fretted fret: 0 for frets 1
// to 4, 1 for 5 to 9, 2 for 10 to 15.
int neckRegion(const catalogue::FretPattern& frets);

// A chord a player reaches for as a closed grip rather than at the nut: one
// naming an eleventh, a thirteenth or an altered tone, or a diminished or
// half-diminished chord with a tone added.
bool wantsClosedGrip(const catalogue::ChordTones& chord);

// A chord a chord book teaches at the nut and as a barre first: a major,
// minor, seventh, sixth, suspended, diminished or half-diminished chord, or
// one with an added ninth, over its root. Triad types, slash chords and the
// chords above are grips.
bool leadsAtTheNut(const catalogue::ChordTones& chord, int bassInterval);

// A chord whose four tones must all sound and that may add none: each tone
// once on four strings is its whole voicing.
bool isFourToneChord(const catalogue::ChordTones& chord);

// A chord naming a tension (a ninth, an eleventh or an altered fifth): one
// the E and A barres cannot hold without stretching beyond them.
bool hasTensions(const catalogue::ChordTones& chord, int bassInterval);

// The two lowest notes blur into one: a second apart below D3, or a third
// apart below G2.
bool muddyLowVoices(const catalogue::FretPattern& frets);

// A tone a whole step above a bass below G3: a cluster that blurs a little.
bool secondAboveLowBass(const catalogue::FretPattern& frets);

// A #9 sounding a semitone under the 3rd, where it rubs against it instead
// of sounding as the colour above it.
bool sharpNineUnderThird(const catalogue::FretPattern& frets, int rootPc,
                         const catalogue::ChordTones& chord);

// Three notes with the hand at fret 12 or higher: high on the neck, where
// the strings sound thin, a voicing has four notes or more.
bool isThinHighGrip(const catalogue::FretPattern& frets);

// A finger reaching round two others: on a lower string than two fingers
// that lie in front of it at a lower fret, as the little finger does on the
// A string of the E-form major-seventh barre.
bool reachesRoundTwoFingers(const catalogue::Fingering& hand);

// At the nut: an open string sounds, every fretted note lies within the
// first four frets, and the bass is the one the symbol asks for.
bool isOpenPosition(const catalogue::FretPattern& frets, int rootPc, int bassInterval);

// The four-note grips books give a chord of four tones: four adjacent
// strings reaching string 1 or 2, or the E-root grip with the A string
// silent.
bool isBookFourNoteGrip(const catalogue::FretPattern& frets, int rootPc);

// An open grip a beginner is taught: open position, three fingers or fewer
// (four within frets 1 and 2), within the first three frets (four over an
// open bass),
// any barre reaching the lowest fretted string, the third and the fifth
// sounding where the chord has them, no muddy low second, the bass on string
// 4, 5 or 6 with no open string below that could sound it lower, and every
// string from it to string 1 sounding (at least five, or four from string
// 4; for a chord of four tones only over an open bass); or, for a chord of
// four tones, one of its four-note grips.
bool isOpenGrip(const catalogue::FretPattern& frets, int rootPc, const catalogue::ChordTones& chord,
                int bassInterval, const catalogue::Fingering& hand);

} // namespace voicings

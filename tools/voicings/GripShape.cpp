#include "GripShape.h"

#include "catalogue/ChordNaming.h"

#include <algorithm>
#include <bit>

namespace voicings {
using namespace catalogue;

namespace {
// Below D3 two notes a second apart blur into one, below G2 a third too;
// up to G3 a whole step above the bass still blurs a little.
constexpr int kSecondsClearFrom = 50;
constexpr int kLowRegisterMidi = 55;
constexpr int kThirdsClearFrom = 43;
// From this fret up the strings sound thin.
constexpr int kHighNeckFret = 12;
constexpr int kOpenGripFingers = 3;
constexpr int kNutFrets = 3;
constexpr int kCloseFrets = 2;

} // namespace

StringSpan spanOf(const FretPattern& frets)
{
    StringSpan span;
    for (int s = 1; s <= 6; ++s) {
        if (frets.fret(s) == kMuted)
            continue;
        if (!span.top)
            span.top = s;
        span.bass = s;
        ++span.sounding;
        span.open += frets.fret(s) == 0;
    }
    if (span.sounding)
        span.insideMuted = span.width() - span.sounding;
    return span;
}

bool isFourNoteGrip(const FretPattern& frets, int rootPc)
{
    const auto span = spanOf(frets);
    if (span.sounding < 3 || span.sounding > 4 || span.insideMuted > 1)
        return false;
    return std::popcount(heardTones(frets, rootPc)) == span.sounding;
}

bool hasMutedGap(const FretPattern& frets, int rootPc)
{
    const auto span = spanOf(frets);
    if (span.insideMuted == 0)
        return false;
    if (frets.fret(span.bass - 1) == kMuted) {
        if (frets.fret(span.bass) == 0)
            return true;
        if (span.insideMuted == 1)
            return false;
    }
    return !isFourNoteGrip(frets, rootPc);
}

GripFamily gripFamily(const FretPattern& frets)
{
    const auto span = spanOf(frets);
    const bool aboveBassDamped = span.bass > 1 && frets.fret(span.bass - 1) == kMuted;
    const bool dampedOnly = span.insideMuted == 1 && aboveBassDamped;
    if (span.sounding == 4) {
        if (span.insideMuted == 0 && ((span.bass == 5 && span.top == 2) || span.bass == 4))
            return GripFamily::FourNote;
        if (dampedOnly && ((span.bass == 6 && span.top == 2) || (span.bass == 5 && span.top == 1)))
            return GripFamily::FourNote;
    }
    if (span.sounding == 5 && span.bass == 6 && dampedOnly)
        return GripFamily::FiveOverDamped;
    if (span.sounding == 5 && span.bass == 5 && span.top == 1)
        return GripFamily::FiveFromA;
    if (span.sounding == 6)
        return GripFamily::Six;
    return GripFamily::Other;
}

int neckRegion(const FretPattern& frets)
{
    const int lowest = frets.lowestFret();
    return lowest >= 10 ? 2 : lowest >= 5 ? 1 : 0;
}

bool wantsClosedGrip(const ChordTones& chord)
{
    const unsigned tones = chord.must | chord.optional;
    auto has = [&](int interval) { return (tones & (1u << interval)) != 0; };
    const bool seventh = has(10) || has(11);
    // The minor third with a flat fifth and no natural one: the diminished
    // and half-diminished chords, whose b5 is their own fifth.
    const bool diminished = chord.third == 3 && has(6) && !has(7);
    if (diminished) {
        const unsigned own = (1u << 0) | (1u << 3) | (1u << 6) | (1u << 9) | (1u << 10);
        return (tones & ~own) != 0;
    }
    // A suspended chord with the major third above (17) colours it too.
    if (chord.third < 0 && has(4))
        return true;
    const bool sharpNine = chord.third == 4 && has(3);
    const bool eleventh = chord.third >= 0 && has(5);
    const bool thirteenth = seventh && has(9);
    const bool altered = has(1) || sharpNine || has(6) || has(8);
    return altered || eleventh || thirteenth;
}

bool isFourToneChord(const ChordTones& chord)
{
    return chord.optional == 0 && chord.mustCount() == 4;
}

bool hasTensions(const ChordTones& chord, int bassInterval)
{
    // b9, 9, b5/#11 and #5/b13.
    constexpr unsigned kTensions = (1u << 1) | (1u << 2) | (1u << 6) | (1u << 8);
    return (allowedTones(chord, bassInterval) & kTensions) != 0;
}

bool muddyLowVoices(const FretPattern& frets)
{
    const auto notes = frets.pitches();
    if (notes.size() < 2)
        return false;
    const int apart = notes[1] - notes[0];
    return (apart <= 2 && notes[0] < kSecondsClearFrom) ||
           (apart <= 4 && notes[0] < kThirdsClearFrom);
}

bool secondAboveLowBass(const FretPattern& frets)
{
    const auto notes = frets.pitches();
    return !notes.empty() && notes[0] < kLowRegisterMidi &&
           std::find(notes.begin(), notes.end(), notes[0] + 2) != notes.end();
}

bool sharpNineUnderThird(const FretPattern& frets, int rootPc, const ChordTones& chord)
{
    constexpr int kSharpNine = 3;
    constexpr int kMajorThird = 4;
    if (chord.third != kMajorThird || !((chord.must | chord.optional) & (1u << kSharpNine)))
        return false;
    const auto notes = frets.pitches();
    for (std::size_t i = 1; i < notes.size(); ++i)
        if (mod12(notes[i] - rootPc) == kMajorThird && notes[i - 1] == notes[i] - 1)
            return true;
    return false;
}

bool isThinHighGrip(const FretPattern& frets)
{
    return spanOf(frets).sounding <= 3 && frets.lowestFret() >= kHighNeckFret;
}

bool reachesRoundTwoFingers(const Fingering& hand)
{
    for (const auto& finger : hand.fingers) {
        int round = 0;
        for (const auto& other : hand.fingers)
            round += other.finger > 1 && other.finger < finger.finger && other.fret < finger.fret &&
                     other.toString < finger.fromString;
        if (round >= 2)
            return true;
    }
    return false;
}

bool isOpenPosition(const FretPattern& frets, int rootPc, int bassInterval)
{
    const auto span = spanOf(frets);
    return span.open > 0 && frets.highestFret() <= kOpenGripFrets &&
           bassTone(frets, rootPc) == (bassInterval < 0 ? 0 : bassInterval);
}

bool isBookFourNoteGrip(const FretPattern& frets, int rootPc)
{
    // Each a different tone, or the root doubled in place of the fifth, as
    // in the C form of a seventh chord.
    const unsigned heard = heardTones(frets, rootPc);
    const auto notes = frets.pitches();
    const auto roots = std::count_if(notes.begin(), notes.end(),
                                     [&](int note) { return mod12(note - rootPc) == 0; });
    const bool rootForFifth = std::popcount(heard) == 3 && roots == 2 && !(heard & (1u << 7));
    if (!isFourNoteGrip(frets, rootPc) && !rootForFifth)
        return false;
    const auto span = spanOf(frets);
    if (span.sounding != 4 || span.top > 2)
        return false;
    return span.insideMuted == 0 || (span.bass == 6 && frets.fret(5) == kMuted);
}

bool isOpenGrip(const FretPattern& frets, int rootPc, const ChordTones& chord, int bassInterval,
                const Fingering& hand)
{
    // A fourth finger fits at the nut only where every finger stays within
    // the first two frets, not all four side by side on one.
    const bool close = frets.highestFret() <= kCloseFrets && frets.lowestFret() < kCloseFrets &&
                       frets.highestFret() > frets.lowestFret();
    const int fingers = close ? kFingers : kOpenGripFingers;
    if (!isOpenPosition(frets, rootPc, bassInterval) || !hand.held() || hand.needed > fingers ||
        secondAboveLowBass(frets))
        return false;
    if (chord.third >= 0 && !(heardTones(frets, rootPc) & (1u << chord.third)))
        return false;
    // The fifth sounds where the chord has one.
    const unsigned heard = heardTones(frets, rootPc);
    if ((allowedTones(chord, bassInterval) & (1u << 7)) && !(heard & (1u << 7)))
        return false;
    const auto span = spanOf(frets);
    // The hand stays within the first three frets; a fourth is in reach
    // over an open bass, which leaves every finger free.
    if (frets.highestFret() > kNutFrets && frets.fret(span.bass) != 0)
        return false;
    // The bass on string 4 or lower, and not above an open string that
    // would sound it lower.
    if (span.bass < 4)
        return false;
    for (int s = span.bass + 1; s <= 6; ++s)
        if (mod12(kOpenStringMidi[static_cast<std::size_t>(s - 1)] - rootPc) ==
            bassTone(frets, rootPc))
            return false;
    // One finger at most lies flat at the nut: the index.
    for (std::size_t i = 1; i < hand.fingers.size(); ++i)
        if (hand.fingers[i].liesFlat())
            return false;
    // A barre at the nut reaches the lowest fretted string: no finger on a
    // lower string at the barre's fret or behind it.
    if (hand.barre())
        for (int s = hand.fingers.front().toString + 1; s <= 6; ++s)
            if (frets.fret(s) > 0)
                return false;
    // A strummed grip sounds every string from its bass to the top; a
    // chord of four tones may be its four-note grip instead.
    // A chord of four tones strums over an open bass only.
    const bool strummed = !isFourToneChord(chord) || frets.fret(span.bass) == 0;
    if (strummed && span.top == 1 && span.insideMuted == 0 &&
        (span.sounding >= 5 || span.bass == 4))
        return true;
    // Over a fretted bass the four-note grip rings one open string at most.
    return isFourToneChord(chord) && isBookFourNoteGrip(frets, rootPc) &&
           (frets.fret(span.bass) == 0 || span.open <= 1);
}

bool leadsAtTheNut(const ChordTones& chord, int bassInterval)
{
    return bassInterval < 0 && !chord.complete && !wantsClosedGrip(chord);
}
} // namespace voicings

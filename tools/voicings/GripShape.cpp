#include "GripShape.h"

#include "catalogue/ChordNaming.h"

#include <bit>

namespace voicings {
using namespace catalogue;

namespace {
// Below G3 two notes a whole step apart blur into one.
constexpr int kLowRegisterMidi = 55;
constexpr int kOpenGripFrets = 4;
constexpr int kOpenGripFingers = 3;
constexpr int kNutFrets = 3;
constexpr int kCloseFrets = 2;

int noteAt(const FretPattern& frets, int string)
{
    return kOpenStringMidi[static_cast<std::size_t>(string - 1)] + frets.fret(string);
}
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
    return span.width() >= 5 && span.insideMuted > 0 && !isFourNoteGrip(frets, rootPc);
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

bool secondAboveLowBass(const FretPattern& frets)
{
    const auto span = spanOf(frets);
    if (!span.sounding)
        return false;
    const int bass = noteAt(frets, span.bass);
    if (bass >= kLowRegisterMidi)
        return false;
    for (int s = span.top; s < span.bass; ++s)
        if (frets.fret(s) != kMuted && noteAt(frets, s) == bass + 2)
            return true;
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
    if (!isFourNoteGrip(frets, rootPc))
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
    const bool close = frets.highestFret() <= kCloseFrets && frets.lowestFret() < kCloseFrets;
    const int fingers = close ? kFingers : kOpenGripFingers;
    if (!isOpenPosition(frets, rootPc, bassInterval) || hand.needed > fingers ||
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

} // namespace voicings

// The shape rules the voicing generator ranks grips by.
#include "BookOrder.h"
#include "GripShape.h"
#include "catalogue/ChordTones.h"

#include <gtest/gtest.h>

using namespace catalogue;
using namespace voicings;

namespace {
constexpr int M = kMuted;
constexpr int C = 0, D = 2, E = 4, F = 5, A = 9, B = 11;

bool openGrip(const char* tipo, int rootPc, const FretPattern& frets)
{
    return isOpenGrip(frets, rootPc, *chordTonesOf(tipo), -1, fingeringOf(frets));
}
} // namespace

TEST(GripShape, SilentStringsInsideOnlyWhereAFingerDampsThem)
{
    // The finger on a fretted low-E bass leans on the A string: a five-
    // string grip over it is whole.
    EXPECT_FALSE(hasMutedGap(book({9, M, 6, 6, 6, 9}), 1));
    EXPECT_FALSE(hasMutedGap(book({M, 3, M, 3, 5, 3}), C));
    // Nothing touches the string next to an open bass, nor a gap higher up
    // in a shape of five strings.
    EXPECT_TRUE(hasMutedGap(book({0, M, 0, 1, 1, M}), E));
    EXPECT_TRUE(hasMutedGap(book({8, 6, 5, 5, M, 5}), C));
    EXPECT_TRUE(hasMutedGap(book({8, M, 8, M, 8, 8}), C));
    // Cm7 drop-3 from the low E string, and an E-root dim7 grip, are grips.
    EXPECT_FALSE(hasMutedGap(book({8, M, 8, 8, 8, M}), C));
    EXPECT_FALSE(hasMutedGap(book({3, M, 2, 3, 2, M}), 7));
    // A silent string at an edge is no gap; nor inside four strings.
    EXPECT_FALSE(hasMutedGap(book({M, 3, 2, 0, 1, M}), C));
    EXPECT_FALSE(hasMutedGap(book({M, M, 3, M, 3, 3}), F));
    EXPECT_TRUE(isBookFourNoteGrip(book({M, M, 3, 4, 3, 4}), F));
    EXPECT_TRUE(isBookFourNoteGrip(book({2, M, 1, 2, 1, M}), 6));
    // The C form of D7 doubles the root in place of the fifth; doubling the
    // third is no book grip.
    EXPECT_TRUE(isBookFourNoteGrip(book({M, 5, 4, 5, 3, M}), D));
    EXPECT_FALSE(isBookFourNoteGrip(book({M, 5, 4, 5, 7, M}), D));
    // Four notes low on the neck reaching no higher than string 3 are not.
    EXPECT_FALSE(isBookFourNoteGrip(book({2, 3, 1, 2, M, M}), 6));
}

TEST(GripShape, NoWholeStepAboveALowBass)
{
    // Cadd9 with the open D over the C, Gadd9 with the open A over the G.
    EXPECT_TRUE(secondAboveLowBass(book({M, 3, 0, 0, 1, 0})));
    EXPECT_TRUE(secondAboveLowBass(book({3, 0, 0, 0, 0, 3})));
    EXPECT_FALSE(secondAboveLowBass(book({M, 3, 2, 0, 3, 0})));
    // Higher up a second is a colour, not a blur.
    EXPECT_FALSE(secondAboveLowBass(book({M, M, 5, 7, M, M})));
}

TEST(GripShape, TheLowVoicesStayClear)
{
    // Low E to high e. The two lowest notes no second apart below D3, no
    // third apart below G2.
    const std::pair<FretPattern, bool> cases[] = {
        {book({9, 8, 0, 0, 0, 6}), true},  // C#7(b9/#11/13): C#3 under the open D3
        {book({1, 0, 0, 4, 4, 2}), true},  // F7(b9/b5/13): F2 under the open A2
        {book({1, 0, 0, 0, 1, 1}), true},  // F6/9
        {book({M, 3, 0, 0, 1, 0}), true},  // Cadd9 with the open D over the C
        {book({3, 0, 0, 0, 0, 3}), true},  // Gadd9 with the open A over the G
        {book({M, 5, 2, 2, 3, 2}), false}, // Dadd9: a second from D3 up
        {book({M, 6, 3, 4, 3, 3}), false}, // Ebmaj7(#5/9)
        {book({M, 3, 2, 0, 3, 3}), false}, // Cadd9: C3 and E3
        {book({3, 2, 0, 0, 0, 3}), false}, // G: G2 and B2, a third from G2 up
        {book({M, M, 5, 7, M, M}), false},
    };
    for (const auto& [frets, muddy] : cases)
        EXPECT_EQ(muddyLowVoices(frets), muddy) << frets.format();
}

TEST(GripShape, TheSharpNineSoundsAboveTheThird)
{
    const char* const sharpNine = " 7(#9) ";
    const std::tuple<const char*, int, FretPattern, bool> cases[] = {
        {sharpNine, A, book({5, M, 5, 5, 2, M}), true},     // A7(#9): C4 under C#4
        {sharpNine, A, book({8, 4, 5, 6, M, M}), true},     // C3 under C#3, lowest of all
        {" 7(13/#9) ", C, book({8, M, 8, 8, 5, 5}), true},  // C7(13/#9)
        {sharpNine, A, book({5, M, 7, 6, 8, 8}), false},    // the #9 on top
        {" 7(13/#9) ", C, book({8, 7, 8, 8, M, 5}), false}, // ... an octave up
        {sharpNine, C, book({M, 3, 1, M, 5, 6}), false},    // D#3 an octave under E4
        {" m7 ", A, book({5, M, 5, 5, 5, M}), false},       // no #9: a minor third
    };
    for (const auto& [tipo, root, frets, under] : cases)
        EXPECT_EQ(sharpNineUnderThird(frets, root, *chordTonesOf(tipo)), under) << frets.format();
}

TEST(GripShape, ThreeNotesAreThinFromFret12Up)
{
    const std::pair<FretPattern, bool> cases[] = {
        {book({M, M, 14, 13, 12, M}), true},   // three notes, the hand at fret 12
        {book({M, M, 13, 12, 11, M}), false},  // the same shape at fret 11
        {book({M, M, 14, 13, 12, 12}), false}, // four notes at fret 12
    };
    for (const auto& [frets, thin] : cases)
        EXPECT_EQ(isThinHighGrip(frets), thin) << bookText(frets);
}

TEST(GripShape, OpenGripsBeginnersAreTaught)
{
    EXPECT_TRUE(openGrip(" maj7 ", F, book({M, M, 3, 2, 1, 0})));
    EXPECT_TRUE(openGrip(" m7(b5) ", D, book({M, M, 0, 1, 1, 1})));
    EXPECT_TRUE(openGrip(" dim ", A, book({M, 0, 1, 2, 1, 2})));
    EXPECT_TRUE(openGrip(" m7(b5) ", A, book({M, 0, 1, 0, 1, M})));
    EXPECT_TRUE(openGrip(" 7(9) ", E, book({0, 2, 0, 1, 0, 2})));
    EXPECT_TRUE(openGrip(" add9 ", A, book({M, 0, 2, 4, 2, 0})));
    // Not: a minor with its top strings silent, a grip over an open string
    // that would sound the bass lower, four fingers, a fourth fret over a
    // fretted bass, a finger below the barre, the fifth missing.
    EXPECT_FALSE(openGrip(" m ", C, book({M, 3, 1, 0, 1, M})));
    EXPECT_FALSE(openGrip(" sus ", E, book({M, M, 2, 2, 0, 0})));
    EXPECT_FALSE(openGrip(" m ", B, book({M, 2, 0, 4, 3, 2})));
    EXPECT_FALSE(openGrip(" m ", B, book({M, 2, 0, 4, 0, 2})));
    EXPECT_FALSE(openGrip(" 7 ", F, book({1, 0, 1, 2, 1, 1})));
    EXPECT_FALSE(openGrip(" sus ", D, book({M, M, 0, 0, 3, 3})));
    // A diminished chord strums at the nut only over an open bass.
    EXPECT_TRUE(openGrip(" dim ", E, book({0, 1, 2, 0, 2, 0})));
    EXPECT_FALSE(openGrip(" dim ", B, book({M, 2, 0, 1, 0, 1})));
}

TEST(GripShape, TensionsAndFourToneChords)
{
    EXPECT_FALSE(hasTensions(*chordTonesOf(" m7 "), -1));
    EXPECT_FALSE(hasTensions(*chordTonesOf(" sus "), -1));
    EXPECT_TRUE(hasTensions(*chordTonesOf(" add9 "), -1));
    EXPECT_TRUE(hasTensions(*chordTonesOf(" 7(9) "), -1));
    EXPECT_TRUE(isFourToneChord(*chordTonesOf(" dim ")));
    EXPECT_TRUE(isFourToneChord(*chordTonesOf(" m7(b5) ")));
    EXPECT_FALSE(isFourToneChord(*chordTonesOf(" m7 ")));
}

TEST(GripShape, GripFamiliesByTheStringsTheySound)
{
    EXPECT_EQ(gripFamily(book({8, M, 8, 8, 8, M})), GripFamily::FourNote); // drop-3 from E
    EXPECT_EQ(gripFamily(book({M, 3, 5, 3, 4, M})), GripFamily::FourNote); // from A
    EXPECT_EQ(gripFamily(book({M, 3, M, 3, 4, 3})), GripFamily::FourNote); // drop-3 from A
    EXPECT_EQ(gripFamily(book({M, M, 0, 2, 3, 2})), GripFamily::FourNote); // from D
    EXPECT_EQ(gripFamily(book({3, M, 3, 4, 3, 3})), GripFamily::FiveOverDamped);
    EXPECT_EQ(gripFamily(book({M, 3, 5, 5, 5, 3})), GripFamily::FiveFromA);
    EXPECT_EQ(gripFamily(book({1, 3, 3, 2, 1, 1})), GripFamily::Six);
    // Four strings from the low E with the top two silent, three strings.
    EXPECT_EQ(gripFamily(book({3, 2, 0, 0, M, M})), GripFamily::Other);
    EXPECT_EQ(gripFamily(book({M, M, 5, 4, 3, M})), GripFamily::Other);
}

TEST(GripShape, WhichChordsLeadWithAClosedGrip)
{
    auto closed = [](const char* tipo) { return wantsClosedGrip(*chordTonesOf(tipo)); };
    for (const char* plain : {"  . ", " m ", " 7 ", " m7 ", " maj7 ", " 6 ", " m6 ", " sus ",
                              " add9 ", " 7(9) ", " m7(9) ", " dim ", " m7(b5) "})
        EXPECT_FALSE(closed(plain)) << plain;
    for (const char* coloured :
         {" 7(13) ", " m11 ", " 7(b9) ", " 7(#9) ", " 7(b5) ", " 7(#5) ", " maj7(#11) ",
          " m7(b5/9) ", " dim(9) ", " dim(b13) ", " sus7(17) ", " m13 "})
        EXPECT_TRUE(closed(coloured)) << coloured;
    // Slash chords and triad types are grips too.
    EXPECT_TRUE(leadsAtTheNut(*chordTonesOf(" 7 "), -1));
    EXPECT_FALSE(leadsAtTheNut(*chordTonesOf(" 7/ "), 4));
    EXPECT_FALSE(leadsAtTheNut(*chordTonesOf("  triad "), -1));
}

// The forms derived from a chord's tones are the shapes chord books teach.
#include "ChordForms.h"

#include <gtest/gtest.h>

using namespace catalogue;
using voicings::ChordForms;
using voicings::FormClass;

namespace {
constexpr int M = kMuted;

// Written from the low E string to the high E, as chord books do.
std::string form(const char* tipo, ChordForms::Shape shape, bool open, int rootPc, int anchor)
{
    const auto frets = ChordForms(*chordTonesOf(tipo), -1).formAt(shape, open, rootPc, anchor);
    if (!frets)
        return "none";
    FretPattern lowToHigh;
    for (std::size_t i = 0; i < 6; ++i)
        lowToHigh[i] = (*frets)[5 - i];
    return lowToHigh.format();
}

constexpr int C = 0, D = 2, E = 4, F = 5, G = 7, A = 9, B = 11;
} // namespace

TEST(ChordForms, OpenShapesComeFromTheMajorShapes)
{
    EXPECT_EQ(form("  . ", ChordForms::C, true, C, 3), "x,3,2,0,1,0");
    EXPECT_EQ(form("  . ", ChordForms::A, true, A, 0), "x,0,2,2,2,0");
    EXPECT_EQ(form("  . ", ChordForms::G, true, G, 3), "3,2,0,0,0,3");
    EXPECT_EQ(form("  . ", ChordForms::E, true, E, 0), "0,2,2,1,0,0");
    EXPECT_EQ(form("  . ", ChordForms::D, true, D, 0), "x,x,0,2,3,2");
    // Each family moves the fewest notes onto its tones.
    EXPECT_EQ(form(" m ", ChordForms::A, true, A, 0), "x,0,2,2,1,0");
    EXPECT_EQ(form(" 7 ", ChordForms::C, true, C, 3), "x,3,2,3,1,0");
    EXPECT_EQ(form(" maj7 ", ChordForms::C, true, C, 3), "x,3,2,0,0,0");
    EXPECT_EQ(form(" 6 ", ChordForms::C, true, C, 3), "x,3,2,2,1,0");
    EXPECT_EQ(form(" m7 ", ChordForms::E, true, E, 0), "0,2,0,0,0,0");
    EXPECT_EQ(form(" m ", ChordForms::D, true, D, 0), "x,x,0,2,3,1");
    EXPECT_EQ(form(" 7 ", ChordForms::G, true, G, 3), "3,2,0,0,0,1");
    // The G shape's open G string moves up to the ninth, its open D string
    // to the sixth; the open A string under the G would blur it.
    EXPECT_EQ(form(" add9 ", ChordForms::G, true, G, 3), "3,2,0,2,0,3");
    EXPECT_EQ(form(" 6 ", ChordForms::G, true, G, 3), "3,2,2,0,0,3");
    EXPECT_EQ(form(" sus ", ChordForms::G, true, G, 3), "3,3,0,0,1,3");
    // More than three semitones from the major shape is no open form: the
    // minor C would need its top string moved a minor third.
    EXPECT_EQ(form(" m ", ChordForms::C, true, C, 3), "none");
    // Only at the nut, over the shape's own root.
    EXPECT_EQ(form("  . ", ChordForms::C, true, D, 3), "none");
}

TEST(ChordForms, MovableShapesBarTheNutsPlace)
{
    EXPECT_EQ(form("  . ", ChordForms::E, false, F, 1), "1,3,3,2,1,1");
    EXPECT_EQ(form(" m ", ChordForms::A, false, B, 2), "x,2,4,4,3,2");
    EXPECT_EQ(form(" sus ", ChordForms::A, false, B, 2), "x,2,4,4,5,2");
    EXPECT_EQ(form(" maj7 ", ChordForms::A, false, 10, 1), "x,1,3,2,3,1");
    EXPECT_EQ(form(" m7 ", ChordForms::E, false, G, 3), "3,5,3,3,3,3");
    EXPECT_EQ(form(" 7 ", ChordForms::A, false, B, 2), "x,2,4,2,4,2");
    // Never at the nut, never past fret 15.
    EXPECT_EQ(form("  . ", ChordForms::E, false, E, 0), "none");
    EXPECT_EQ(form("  . ", ChordForms::D, false, D, 14), "none");
}

TEST(ChordForms, ClassesInTheOrderChordBooksShowThem)
{
    const ChordForms minor(*chordTonesOf(" m "), -1);
    // Bm: the A form at 2 is the lowest barre; the E form at 7 is a barre
    // too, but the whole form less two strings is still that form.
    EXPECT_EQ(minor.classify({2, 3, 4, 4, 2, M}, B).formClass, FormClass::LowestBarre);
    EXPECT_EQ(minor.classify({M, 3, 4, 4, 2, M}, B).dropped, 1);
    EXPECT_EQ(minor.classify({7, 7, 7, 9, 9, 7}, B).formClass, FormClass::LowestBarre);
    // An open shape that is no form earns nothing.
    EXPECT_EQ(minor.classify({2, 0, 4, 4, 2, M}, B).formClass, FormClass::NoForm);
    EXPECT_EQ(minor.classify({0, 1, 2, 2, 0, M}, A).formClass, FormClass::OpenForm);
    // Drop-2 shapes of tones the C, A, G, E and D forms do not reach: C9 on
    // strings 2 to 5, Cm7(b5) on strings 3 to 6; drop-3 of C6 from string 5.
    const ChordTones& ninth = *chordTonesOf(" 7(9) ");
    EXPECT_EQ(ChordForms(ninth, -1).classify({M, 3, 3, 2, 3, M}, C).formClass,
              FormClass::OtherForm);
    const ChordTones& halfDiminished = *chordTonesOf(" m7(b5) ");
    EXPECT_EQ(ChordForms(halfDiminished, -1).classify({M, M, 8, 8, 9, 8}, C).formClass,
              FormClass::OtherForm);
    const ChordTones& sixth = *chordTonesOf(" 6 ");
    EXPECT_EQ(ChordForms(sixth, -1).classify({3, 5, 2, M, 3, M}, C).formClass,
              FormClass::OtherForm);
    // The same notes with the bass an octave up are no drop shape.
    EXPECT_EQ(ChordForms(ninth, -1).classify({8, 3, 3, 2, M, M}, C).formClass, FormClass::NoForm);
}

#include "catalogue/ChordTones.h"
#include "catalogue/Fingering.h"

#include <gtest/gtest.h>

using namespace catalogue;

namespace {
constexpr int M = kMuted;
constexpr int C = 0;
constexpr int E = 4;
constexpr int A = 9;

std::string problem(const FretPattern& f, int root, const char* tipo, int bass = -1)
{
    return toneProblem(f, root, *chordTonesOf(tipo), bass);
}
} // namespace

TEST(ChordTones, TableCoversEveryType)
{
    ASSERT_EQ(chordTypes().size(), 91u);
    EXPECT_EQ(chordTonesOf(" 7(#9) ")->third, 4);
    EXPECT_EQ(chordTonesOf(" m7 ")->third, 3);
    EXPECT_EQ(chordTonesOf(" sus7 ")->third, -1);
    EXPECT_TRUE(chordTonesOf(" 7(9) ")->extended);
    EXPECT_TRUE(chordTonesOf(" m(6/9) ")->extended);
    EXPECT_FALSE(chordTonesOf(" add9 ")->extended);
    EXPECT_FALSE(chordTonesOf(" 7(#5) ")->extended);
    EXPECT_FALSE(chordTonesOf(" sus7(17) ")->extended);
    EXPECT_EQ(chordTonesOf(" nothing "), nullptr);
}

TEST(ChordTones, JudgesVoicings)
{
    EXPECT_EQ(problem({M, 1, 0, 2, 3, M}, C, "  . "), "");     // x32010
    EXPECT_EQ(problem({M, 1, 0, 2, M, M}, C, "  triad "), ""); // E in the bass
    EXPECT_EQ(problem({M, 1, 0, 2, M, M}, C, " / ", 4), "");   // C/E
    EXPECT_EQ(problem({M, 1, 0, 2, 1, M}, C, " 7/ ", 10), ""); // C/Bb
    EXPECT_EQ(problem({M, 1, 0, 2, 3, M}, C, " / ", 4), "bass 0 instead of 4");
    EXPECT_EQ(problem({0, 1, 0, 2, 3, M}, C, "  triad "), "");
    EXPECT_EQ(problem({M, 1, 0, M, 3, M}, C, "  triad "), "incomplete triad, missing 4");
    EXPECT_EQ(problem({M, 3, 0, 2, 3, M}, C, "  . "), "foreign tone 2");
    EXPECT_EQ(problem({0, 2, 2, 2, 0, M}, A, "  . "), "");
    // The fifth may go: A with no E.
    EXPECT_EQ(problem({M, 2, 2, M, 0, M}, A, "  . "), "");
    // The third may not go from a chord of four tones.
    EXPECT_EQ(problem({M, 1, 3, 5, 3, M}, C, " 7 "),
              "third left out of a chord of fewer than five tones");
    // A rootless C7(9) is fine; a rootless C7 is not.
    EXPECT_EQ(problem({M, 3, 3, 2, M, M}, C, " 7(9) "), "");
    EXPECT_EQ(problem({M, 5, 3, 2, M, M}, C, " 7 "),
              "root left out of a chord that is not extended");
    // Cmaj7(#5/9) without its third: five tones, allowed.
    EXPECT_EQ(problem({M, 3, 4, 6, 3, M}, C, " maj7(#5/9) "), "");
    EXPECT_EQ(problem({0, 0, 0, 2, 2, 0}, E, " m "), "");
    EXPECT_EQ(problem({0, 0, 1, 2, 2, 0}, E, " m "), "foreign tone 4");
    EXPECT_EQ(problem({12, 9, 10, 9, M, M}, 11, " dim(4) "), "");
}

TEST(ChordTones, TonesGiveWayInOrder)
{
    auto givesWay = [](const char* tipo, std::initializer_list<int> heard, int strings,
                       int bass = -1) {
        unsigned mask = 0;
        for (int t : heard)
            mask |= 1u << t;
        return givingWayProblem(mask, strings, *chordTonesOf(tipo), bass);
    };
    // Everything that must sound sounds: nothing gave way.
    EXPECT_EQ(givesWay(" 7 ", {0, 4, 7, 10}, 6), "");
    // The fifth sounds where the third should: an optional tone in place of
    // one that must.
    EXPECT_EQ(givesWay(" 7(b9/#11/13) ", {0, 7, 10, 1, 6, 9}, 6), "tone 7 sounds in place of 4");
    // Six strings hold the five tones of C7(9/#11): none may go.
    EXPECT_EQ(givesWay(" 7(9/#11) ", {4, 10, 2, 6}, 6),
              "tone 0 left out though the strings hold every tone");
    // Five strings hold them just as well.
    EXPECT_EQ(givesWay(" 7(9/#11) ", {4, 10, 2, 6}, 5),
              "tone 0 left out though the strings hold every tone");
    // Four strings for five tones: the root goes, not the third.
    EXPECT_EQ(givesWay(" 7(9/#11) ", {4, 10, 2, 6}, 4), "");
    EXPECT_EQ(givesWay(" 7(9/#11) ", {0, 10, 2, 6}, 4), "third left out before the root");
    // Six tones on four strings: root and third both go.
    EXPECT_EQ(givesWay(" 7(b9/#11/13) ", {10, 1, 6, 9}, 4), "");
    // On five strings the root alone goes.
    EXPECT_EQ(givesWay(" 7(b9/#11/13) ", {0, 10, 1, 6, 9}, 5), "third left out before the root");
    EXPECT_EQ(givesWay(" 7(b9/#11/13) ", {10, 1, 6, 9}, 5),
              "third left out though the strings hold it");
    // A slash chord's named bass is no stand-in tone.
    EXPECT_EQ(givesWay(" m7(9/11)/ ", {7, 3, 10, 2, 5}, 5, 7), "");
}

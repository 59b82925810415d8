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

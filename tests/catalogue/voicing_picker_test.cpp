// The voicing picker on candidates of its own: what it takes beside the
// voicings already standing.
#include "VoicingPicker.h"

#include <gtest/gtest.h>

#include <limits>

using namespace catalogue;
using namespace voicings;

namespace {
constexpr int M = kMuted;
constexpr int kAnySum = std::numeric_limits<int>::max();

// A closed grip over the root: `lead` orders first voicings, `rank` further
// ones; the fret sum and the place on the neck come from the frets.
Candidate grip(const FretPattern& frets, int lead, int rank)
{
    Candidate c;
    c.frets = frets;
    c.lead = lead;
    c.rank = rank;
    c.position = frets.lowestFret();
    c.sum = frets.fretSum();
    return c;
}
} // namespace

TEST(VoicingPicker, NoVoicingSoundsTheNotesOfOneStanding)
{
    // A fixed record x3201x (C3 E3 G3 C4) stands first; the best ranked
    // candidate, 8755xx, sounds its notes higher on the neck.
    const FretPattern fixed{M, 1, 0, 2, 3, M};
    const FretPattern sameNotes{M, M, 5, 5, 7, 8};
    const FretPattern other{3, 5, 5, 5, 3, M};
    const auto picked =
        pickVoicings({grip(sameNotes, 0, 0), grip(other, 10, 10)}, {fixed}, {},
                     {{0, fixed.fretSum(), 0}, {fixed.fretSum(), kAnySum, 1}}, false);
    ASSERT_EQ(picked.order.size(), 1u);
    EXPECT_EQ(picked.order.front(), other);
}

TEST(VoicingPicker, ASecondVoicingComesBelowAFirstAtFret7)
{
    // The first voicing's hand sits at fret 7: the second is the one with
    // the hand below it, though another at fret 7 ranks far better.
    const FretPattern first{8, 8, 7, 9, M, M};
    const FretPattern alsoAt7{M, 10, 9, 7, 10, M};
    const FretPattern below{9, 10, 6, 8, M, M};
    const auto picked =
        pickVoicings({grip(first, 0, 50), grip(alsoAt7, 100, 0), grip(below, 200, 500)}, {}, {},
                     {{0, kAnySum, 2}}, false);
    EXPECT_EQ(picked.order, (std::vector<FretPattern>{first, below}));
}

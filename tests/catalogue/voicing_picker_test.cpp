// The voicing picker on candidates of its own: what it takes beside the
// voicings already standing.
#include "BookOrder.h"
#include "VoicingPicker.h"

#include <gtest/gtest.h>

#include <limits>

using namespace catalogue;
using namespace voicings;

namespace {
constexpr int M = kMuted;
constexpr int kAnySum = std::numeric_limits<int>::max();

// A grip over the root, or over another bass: `lead` orders first voicings,
// `rank` further ones; the fret sum and the place on the neck come from the
// frets.
Candidate grip(const FretPattern& frets, int lead, int rank, bool otherBass = false)
{
    Candidate c;
    c.frets = frets;
    c.lead = lead;
    c.rank = rank;
    c.position = neckPosition(frets);
    c.sum = frets.fretSum();
    c.otherBass = otherBass;
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

TEST(VoicingPicker, TheSecondOfTwoVoicings)
{
    // Candidates best ranked first; the one leading is always the first.
    const FretPattern aForm = book({M, 3, 5, 5, 5, 3});
    const FretPattern cOpen = book({M, 3, 2, 0, 1, 0});
    const FretPattern cNoTop = book({M, 3, 2, 0, 1, M});
    const struct {
        const char* rule;
        std::vector<Candidate> candidates;
        FretPattern second;
    } cases[] = {
        {"a near copy (one string apart) is no further voicing, two strings apart is",
         {grip(aForm, 0, 0), grip(book({M, 3, 5, 5, 5, 8}), 10, 0),
          grip(book({M, 3, 5, 5, 8, 8}), 20, 100), grip(book({8, 10, 10, 9, 8, 8}), 30, 200)},
         book({M, 3, 5, 5, 8, 8})},
        {"a grip over the root before a better ranked one over another bass",
         {grip(aForm, 0, 0), grip(book({M, M, 5, 5, 5, 8}), 10, 0, true),
          grip(book({8, 10, 10, 9, 8, 8}), 20, 500)},
         book({8, 10, 10, 9, 8, 8})},
        // With x3201x leading, 8755xx sounds its notes and x32010 is a near
        // copy, so the second is over another bass: the pick gave something
        // up. x32010 leading would not, but it sums no less than x3201x.
        {"the retry for a pick giving something up leads only with a lower sum",
         {grip(cNoTop, 0, 0), grip(cOpen, 10, 10), grip(book({8, 7, 5, 5, M, M}), 20, 50),
          grip(book({0, 3, 2, 0, 1, 0}), 30, 100, true)},
         book({0, 3, 2, 0, 1, 0})},
    };
    for (const auto& [rule, candidates, second] : cases) {
        const auto picked = pickVoicings(candidates, {}, {}, {{0, kAnySum, 2}}, false);
        EXPECT_EQ(picked.order, (std::vector<FretPattern>{candidates.front().frets, second}))
            << rule;
    }
}

TEST(VoicingPicker, WhereOnlyNearCopiesAreLeftTheOneNearFewestVoicingsComes)
{
    // x35553 and x35588 stand; every other candidate differs from one of
    // them in one string. x35558 does from both, x35555 from x35553 alone:
    // it comes third, though x35558 ranks better.
    const FretPattern first = book({M, 3, 5, 5, 5, 3});
    const FretPattern second = book({M, 3, 5, 5, 8, 8});
    const FretPattern nearBoth = book({M, 3, 5, 5, 5, 8});
    const FretPattern nearOne = book({M, 3, 5, 5, 5, 5});
    const auto picked = pickVoicings(
        {grip(first, 0, 0), grip(second, 10, 10), grip(nearBoth, 20, 20), grip(nearOne, 30, 30)},
        {}, {}, {{0, kAnySum, 3}}, false);
    EXPECT_EQ(picked.order, (std::vector<FretPattern>{first, second, nearOne}));
}

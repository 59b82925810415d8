// How the voicing search ranks the legal voicings of a chord.
#include "BookOrder.h"
#include "VoicingSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>

using namespace catalogue;
using namespace voicings;

namespace {
constexpr int M = kMuted;
} // namespace

TEST(VoicingSearch, ASuspendedChordKeepsItsFifthWhereThereIsRoom)
{
    // Csus: of four strings or more one without the fifth pays for it, so
    // the A-form x35563 ranks before x3356x; three strings have no room for
    // it, so x3x56x pays nothing and ranks before xx(10)(10)8x.
    const auto found = legalVoicings(0, *chordTonesOf(" sus "), -1);
    auto rankOf = [&](const FretPattern& frets) {
        const auto it = std::find_if(found.begin(), found.end(),
                                     [&](const Candidate& c) { return c.frets == frets; });
        EXPECT_NE(it, found.end()) << frets.format();
        return it == found.end() ? 0 : it->rank;
    };
    EXPECT_LT(rankOf(book({M, 3, 5, 5, 6, 3})), rankOf(book({M, 3, 3, 5, 6, M})));
    EXPECT_LT(rankOf(book({M, 3, M, 5, 6, M})), rankOf(book({M, M, 10, 10, 8, M})));
}

TEST(VoicingSearch, NoVoicingSumsMoreThan84Frets)
{
    // Cm7's highest grip, 15,13,13,15,13,15, sums exactly 84.
    const auto found = legalVoicings(0, *chordTonesOf(" m7 "), -1);
    const auto highest = std::max_element(
        found.begin(), found.end(), [](const auto& a, const auto& b) { return a.sum < b.sum; });
    ASSERT_NE(highest, found.end());
    EXPECT_EQ(highest->frets, book({15, 13, 13, 15, 13, 15}));
    EXPECT_EQ(highest->sum, 84);
}

TEST(VoicingSearch, ASixToneChordLeadsRootlessOnlyWhereNoRootGripLiesLow)
{
    // C7(9/#11/13): a closed grip over C with the hand at fret 7 or lower
    // leads before a rootless grip keeping the 3rd, that before a grip over
    // C from fret 8 up, and that before one over another bass. Grips a
    // player avoids lead last of all and are left out.
    const int c = 0;
    const auto found = legalVoicings(c, *chordTonesOf(" 7(9/#11/13) "), -1);
    enum Kind { RootTo7, Rootless, RootFrom8, OtherBass };
    std::array<int, 4> best;
    best.fill(std::numeric_limits<int>::max());
    for (const auto& v : found) {
        if (v.lastResort() || v.position == 0)
            continue;
        const bool overRoot = (v.frets.pitches().front() - c) % 12 == 0;
        const Kind kind = v.otherBass ? OtherBass
                          : !overRoot ? Rootless
                                      : (v.position <= 7 ? RootTo7 : RootFrom8);
        best[kind] = std::min(best[kind], v.lead);
    }
    EXPECT_LT(best[RootTo7], best[Rootless]);
    EXPECT_LT(best[Rootless], best[RootFrom8]);
    EXPECT_LT(best[RootFrom8], best[OtherBass]);
}

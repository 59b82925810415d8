// How the voicing search ranks the legal voicings of a chord.
#include "VoicingSearch.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace catalogue;
using namespace voicings;

namespace {
constexpr int M = kMuted;

// Written from the low E string to the high E, as chord books do.
FretPattern book(const std::array<int, 6>& frets)
{
    FretPattern p;
    for (std::size_t i = 0; i < 6; ++i)
        p[5 - i] = frets[i];
    return p;
}
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

#include "catalogue/Fingering.h"

#include <gtest/gtest.h>

using namespace catalogue;

namespace {
constexpr int M = kMuted;

// Fingers as "finger@fret:from-to", index first.
std::string places(const FretPattern& frets)
{
    std::string out;
    for (const auto& f : fingeringOf(frets).fingers) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(f.finger) + '@' + std::to_string(f.fret) + ':' +
               std::to_string(f.fromString) + '-' + std::to_string(f.toString);
    }
    return out;
}
} // namespace

TEST(Fingering, AssignsEachFingerItsPlace)
{
    // Open C: index on string 2, middle on string 4, ring on string 5.
    EXPECT_EQ(places({M, 1, 0, 2, 3, M}), "1@1:2-2 2@2:4-4 3@3:5-5");
    // E-form barre: the index across all six, ring and little finger on one
    // fret with the lower string taking the lower finger.
    EXPECT_EQ(places({1, 1, 2, 3, 3, 1}), "1@1:1-6 2@2:3-3 3@3:5-5 4@3:4-4");
    // A-form barre: three fingers on fret 3 beside the barre.
    EXPECT_EQ(places({1, 3, 3, 3, 1, M}), "1@1:1-5 2@3:4-4 3@3:3-3 4@3:2-2");
    // The index never bars over a muted string, which it would sound, and no
    // finger holds the bass beside a barre on its own fret: the index takes
    // the low string past the gap, the others a string each.
    EXPECT_EQ(places({M, 8, 8, 8, M, 8}), "1@8:6-6 2@8:4-4 3@8:3-3 4@8:2-2");
    // The index reaches from the high E side: no barre across an open
    // string, so it takes the lowest-pitched note at its fret.
    EXPECT_EQ(places({M, 1, 0, 2, 1, M}), "1@1:5-5 2@1:2-2 3@2:4-4");
    EXPECT_EQ(places({0, 2, 2, 2, 0, M}), "1@2:4-4 2@2:3-3 3@2:2-2");
    // An open string on the bass side leaves a short barre alone.
    EXPECT_EQ(places({2, 3, 2, 0, M, M}), "1@2:1-3 2@3:2-2");
    // A finger far from the index is given the finger that reaches it.
    EXPECT_EQ(places({M, M, 5, 7, M, M}), "1@5:3-3 3@7:4-4");
    EXPECT_EQ(places({0, 0, 0, 0, 0, 0}), "");
}

TEST(Fingering, WhereTheIndexBars)
{
    auto index = [](const FretPattern& frets) { return fingeringOf(frets).fingers.front(); };
    // F: full barre at 1.
    EXPECT_EQ(index({1, 1, 2, 3, 3, 1}), (FingerPlace{1, 1, 1, 6}));
    // Am7 at the 12th fret, low E not played.
    EXPECT_EQ(index({12, 13, 12, 14, 12, M}), (FingerPlace{1, 12, 1, 5}));
    // Bm: strings 1 to 5, the ones in between fretted higher.
    EXPECT_EQ(index({2, 3, 4, 4, 2, M}), (FingerPlace{1, 2, 1, 5}));
    // Muted strings beyond its ends do not prevent it.
    EXPECT_EQ(index({M, 5, 5, 5, M, M}), (FingerPlace{1, 5, 2, 4}));
    // Of two runs split by a muted string it bars the one with more strings
    // at its fret; a run with a string on its bass side at its fret can't be
    // barred, as no finger holds that string behind the index.
    EXPECT_EQ(index({3, 3, M, 3, 3, 3}), (FingerPlace{1, 3, 4, 6}));
    EXPECT_EQ(index({3, 3, M, 3, 5, M}), (FingerPlace{1, 3, 4, 4}));
    // An open string above the finger (lower pitch) does not matter either.
    EXPECT_EQ(index({3, 3, 4, 5, 5, 0}), (FingerPlace{1, 3, 1, 2}));
    // No barre for a single lowest note or across an open string.
    EXPECT_FALSE(fingeringOf({M, 1, 0, 2, 3, M}).barre());
    EXPECT_FALSE(fingeringOf({0, 2, 2, 2, 0, M}).barre());
    EXPECT_FALSE(fingeringOf({2, 3, 0, 2, M, M}).barre());
    // A muted string between leaves the open string above the run in the way.
    EXPECT_FALSE(fingeringOf({0, M, 3, 3, 5, M}).barre());
    EXPECT_FALSE(fingeringOf({0, 0, 0, 0, 0, 0}).barre());
    EXPECT_FALSE(fingeringOf({M, M, M, M, M, M}).barre());
}

TEST(Fingering, FlatFingerOnlyWhenFourFingersDoNotSuffice)
{
    // A-form m7 shape with a fifth note: barre, then one finger flat across
    // strings 2 to 4 at the highest fret, one more on string 6.
    const auto hand = fingeringOf({3, 5, 5, 5, 3, 5});
    EXPECT_EQ(hand.needed, 3);
    EXPECT_EQ(places({3, 5, 5, 5, 3, 5}), "1@3:1-5 3@5:6-6 4@5:2-4");
    // Flat over strings 1 to 3 or over 2 to 4 holds as well: the first
    // found, from string 1, stays.
    EXPECT_EQ(places({3, 3, 3, 3, 1, M}), "1@1:5-5 3@3:4-4 4@3:1-3");
    EXPECT_EQ(fingeringOf({4, 2, 3, 5, 1, M}).needed, 5);
    EXPECT_TRUE(fingeringOf({4, 2, 3, 5, 1, M}).fingers.empty());
}

TEST(Fingering, EffortRanksHarderShapesHigher)
{
    const int openC = fingeringOf({M, 1, 0, 2, 3, M}).effort;
    const int eBarre = fingeringOf({1, 1, 2, 3, 3, 1}).effort;
    const int aBarre = fingeringOf({3, 5, 5, 5, 3, M}).effort;
    // The low E two frets above a barre from the A string up.
    const int behindBarre = fingeringOf({3, 5, 5, 5, 3, 5}).effort;
    EXPECT_LT(openC, eBarre);
    EXPECT_LT(aBarre, behindBarre);
    EXPECT_LT(eBarre, behindBarre);
    // A wider stretch costs more than a narrower one of the same fingers.
    EXPECT_LT(fingeringOf({M, M, 5, 6, M, M}).effort, fingeringOf({M, M, 5, 8, M, M}).effort);
}

TEST(Fingering, PlayabilityBounds)
{
    EXPECT_EQ(playabilityProblem({M, 1, 0, 2, 3, M}), "");
    EXPECT_EQ(playabilityProblem({M, M, 0, 2, M, M}), "fewer than three strings sound");
    EXPECT_EQ(playabilityProblem({0, 1, M, 2, 3, M}), "string 3 does not sound");
    EXPECT_EQ(playabilityProblem({M, 1, 1, 7, M, M}), "fretted strings span more than six frets");
    EXPECT_EQ(playabilityProblem({M, 1, 1, 5, M, M}), "");
    EXPECT_EQ(playabilityProblem({M, 1, 16, 2, M, M}), "fret out of range");
    EXPECT_EQ(playabilityProblem({0, 0, 0, 0, 0, 0}), "no string fretted");
    EXPECT_EQ(playabilityProblem({4, 2, 3, 5, 1, M}), "five fingers needed");
    EXPECT_EQ(playabilityProblem({6, 2, 3, 5, 4, 1}), "six fingers needed");
    // A barre across the silent A string would be the only way to hold these
    // with four fingers: C7(13/#9) 8,x,8,9,10,11 and F7(13/b9) 1,x,1,2,3,2.
    EXPECT_EQ(playabilityProblem({11, 10, 9, 8, M, 8}), "five fingers needed");
    EXPECT_EQ(playabilityProblem({2, 3, 2, 1, M, 1}), "five fingers needed");
}

TEST(Fingering, TheIndexBarsTheHighRunOnATie)
{
    // Two runs of two strings at the lowest fret, split by a muted string:
    // the index reaches from the high E side and bars strings 1 and 2 where
    // nothing lies on their bass side at its fret; else the low run.
    EXPECT_EQ(fingeringOf({3, 3, 5, M, 5, 5}).fingers.front(), (FingerPlace{1, 3, 1, 2}));
    EXPECT_EQ(fingeringOf({3, 3, 5, M, 3, 3}).fingers.front(), (FingerPlace{1, 3, 5, 6}));
}

TEST(Fingering, AHandHoldsOnlyWhatItsFingersReachInOrder)
{
    // Written from string 1 to string 6. Fingers take frets in order, the
    // lower-pitched string first on one fret; neighbouring fingers lie at
    // most two frets apart, index and little finger four; the index bars
    // only strings sounding at its fret or above, another finger lies flat
    // only on two or three strings at its own fret.
    struct Case {
        FretPattern frets;
        bool held;
    };
    const Case cases[] = {
        {{3, 5, 4, 3, M, 3}, false},   // G7(13) 3x3453: no barre over the silent A string
        {{10, 8, 9, 8, M, 8}, false},  // C7(9) 8x898(10)
        {{2, 1, 2, 1, M, 1}, false},   // F7(b9) 1x1212
        {{10, 13, 8, 8, M, M}, false}, // Cm7(9)/Bb xx88(13)(10): little finger five frets on
        {{M, 1, 1, 6, M, M}, false},   // index to little finger five frets apart
        {{3, 5, 5, 5, 3, M}, true},    // A-form barre
        {{3, 5, 5, 5, 3, 5}, true},    // ... and the low E, one finger flat
        {{1, 1, 2, 3, 3, 1}, true},    // E-form barre
        {{M, 2, 3, 3, M, 2}, true},    // F#maj7 2x332x
        {{M, 4, 5, 4, M, 5}, true},    // Adim 5x454x
        {{0, 1, 0, 2, 3, M}, true},    // open C
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fingeringOf(c.frets).held(), c.held) << c.frets.format();
        EXPECT_EQ(playabilityProblem(c.frets).empty(), c.held) << c.frets.format();
    }
}

TEST(Fingering, AHandReachesFurtherUpTheNeck)
{
    // Written from string 1 to string 6. With the hand at fret 6 or lower
    // index and little finger lie three frets apart; four apart is a stretch
    // at fret 5 or 6 and beyond any hand lower down; from fret 7 four are in
    // reach.
    struct Case {
        FretPattern frets;
        Reach reach;
    };
    const Case cases[] = {
        {{M, 1, 0, 2, 3, M}, Reach::Within},    // open C
        {{0, 0, 0, 2, 2, 0}, Reach::Within},    // open strings need no reach
        {{3, 2, 2, 4, M, 5}, Reach::Within},    // A7(13) 5x4223
        {{3, 2, 1, 0, 2, 0}, Reach::Within},    // E7(13/#9) 020123
        {{5, M, 3, 2, 3, 2}, Reach::Within},    // F#7(#9/#11) 2323x5
        {{8, 10, 9, 8, 9, M}, Reach::Within},   // ... x989(10)8
        {{6, 5, 5, 7, 9, M}, Reach::Stretch},   // ... x97556
        {{6, 5, 5, 5, 9, M}, Reach::Stretch},   // F#7(b9/#11) x95556
        {{7, 6, 9, 6, 10, M}, Reach::Stretch},  // G7(13/b9) x(10)6967
        {{6, 6, 8, 10, M, 9}, Reach::Stretch},  // C#maj7(6/9) 9x(10)866
        {{9, 10, 10, 6, 6, 7}, Reach::Stretch}, // B7(9/#11/13) 766(10)(10)9
        {{1, 1, 2, 5, M, M}, Reach::Beyond},    // four apart at the nut
        {{4, 4, 5, 8, M, M}, Reach::Beyond},    // ... at fret 4
        {{7, 7, 8, 11, M, M}, Reach::Within},   // ... at fret 7
    };
    for (const auto& c : cases)
        EXPECT_EQ(reachOf(fingeringOf(c.frets)), c.reach) << c.frets.format();
}

TEST(Fingering, TheIndexNeverTurnsInsideTheGrip)
{
    // Written from string 1 to string 6: the index alone on a string with
    // fingers three frets or more up on both sides of it.
    const std::pair<FretPattern, bool> cases[] = {
        {{M, 12, 12, 9, M, 12}, true},  // Em (12)x9(12)(12)x
        {{M, 6, 6, 3, M, 6}, true},     // Bbm 6x366x
        {{10, 12, 12, 9, M, 12}, true}, // Em7 (12)x9(12)(12)(10)
        {{4, 6, 6, 3, M, 6}, true},     // Bbm7 6x3664
        {{4, 4, 1, 3, 4, M}, true},     // C#add9 x43144
        {{M, 4, 1, 2, 4, M}, true},     // C#m(add9) x4214x
        {{M, 3, 5, 2, M, 5}, true},     // Am(add4) 5x253x
        {{M, 4, 1, 4, 4, 0}, true},     // Emaj7(6/9) 04414x
        {{M, 4, 3, 6, 4, M}, false},    // C#add9 x4364x: the index at the bass
        {{1, 1, 2, 3, 3, 1}, false},    // F: the index bars
        {{M, 5, 5, 2, M, M}, false},    // fingers far up on one side only
        {{M, 4, 2, 4, 4, M}, false},    // two frets up
    };
    for (const auto& [frets, contorted] : cases)
        EXPECT_EQ(isContorted(fingeringOf(frets)), contorted) << frets.format();
}

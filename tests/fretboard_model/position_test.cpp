#include "fretboard/model/FretLabel.h"
#include "fretboard/model/FretTag.h"
#include "fretboard/model/Position.h"

#include <gtest/gtest.h>

#include <set>

using namespace fretboard;

TEST(Position, NamesOfAPosition)
{
    EXPECT_EQ(positionName({6, 3}), "C6C3");
    EXPECT_EQ(positionName({3, 12}), "C3C12");
    EXPECT_EQ(playerName({6, 3}), "nC6C3");
    EXPECT_EQ(sampleResourceName({6, 0}), "C6");
    EXPECT_EQ(sampleResourceName({6, 3}), "C6-003");
    EXPECT_EQ(sampleResourceName({1, 15}), "C1-015");
}

TEST(Position, EveryNameRoundTripsAndIsUnique)
{
    std::set<std::string> names, samples;
    std::set<long> tags;
    for (int s = kHighEString; s <= kLowEString; ++s) {
        for (int f = kOpenString; f <= kLastFret; ++f) {
            const Position p{s, f};
            EXPECT_EQ(positionFromName(positionName(p)), p);
            EXPECT_EQ(positionFromTag(tagForPosition(p)), p);
            EXPECT_EQ(playedPosition(s, catalogue::fretText(f)), p);
            names.insert(positionName(p));
            samples.insert(sampleResourceName(p));
            tags.insert(tagForPosition(p));
        }
    }
    EXPECT_EQ(names.size(), 96u);
    EXPECT_EQ(samples.size(), 96u);
    EXPECT_EQ(tags.size(), 96u);
}

TEST(Position, NamesOutsideTheFretboardNameNothing)
{
    for (const char* name :
         {"C1C05", "C0C0", "C7C3", "C1C16", "c1c0", "C1C0 ", "nC1C0", "", "C1C ", "C1C+1", "CC1C0"})
        EXPECT_FALSE(positionFromName(name)) << '"' << name << '"';
}

TEST(FretTag, DecodesTheStoryboardCodes)
{
    EXPECT_EQ(positionFromTag(10), (Position{1, 0}));
    EXPECT_EQ(positionFromTag(11), (Position{1, 1}));
    EXPECT_EQ(positionFromTag(19), (Position{1, 9}));
    EXPECT_EQ(positionFromTag(110), (Position{1, 10}));
    EXPECT_EQ(positionFromTag(60), (Position{6, 0}));
    EXPECT_EQ(positionFromTag(63), (Position{6, 3}));
    EXPECT_EQ(positionFromTag(312), (Position{3, 12}));
    EXPECT_EQ(positionFromTag(615), (Position{6, 15}));
}

TEST(FretTag, OtherTagsAreNoPosition)
{
    for (long tag : {0L, 5L, 9L, 70L, 98L, 99L, 100L, 105L, 109L, 116L, 199L, 700L, 716L, 1000L,
                     1015L, -1L, -11L, -110L})
        EXPECT_FALSE(positionFromTag(tag)) << tag;
}

TEST(FretLabel, PlayedPosition)
{
    EXPECT_EQ(playedPosition(5, "3"), (Position{5, 3}));
    EXPECT_EQ(playedPosition(1, "0"), (Position{1, 0}));
    for (const char* text : {" ", "", "16", "05", "x", " 1", "1 ", "-1"})
        EXPECT_FALSE(playedPosition(5, text)) << '"' << text << '"';
    EXPECT_FALSE(playedPosition(7, "3"));
    EXPECT_FALSE(playedPosition(0, "3"));
}

TEST(FretLabel, TogglingAFret)
{
    EXPECT_EQ(toggledFretText(" ", "2"), "2");
    EXPECT_EQ(toggledFretText("2", "2"), " ");
    EXPECT_EQ(toggledFretText("2", "5"), "5");
    // Exact comparison: fret 1 and fret 10 are different frets.
    EXPECT_EQ(toggledFretText("1", "10"), "10");
    EXPECT_EQ(toggledFretText("10", "1"), "1");
    EXPECT_EQ(toggledFretText("", "1"), "1");
}

TEST(FretLabel, LabelsShowAPatternAndOtherTextsPlayNothing)
{
    EXPECT_EQ(patternOfTexts({" ", "1", "0", "2", "3", " "}).format(), "x,1,0,2,3,x");
    EXPECT_EQ(patternOfTexts({"16", "01", "", " 2", "12", "15"}).format(), "x,x,x,x,12,15");
}

#include "catalogue/FretPattern.h"

#include <gtest/gtest.h>

using namespace catalogue;

namespace {
constexpr int X = kMuted;

Acorde record(std::array<std::string, 6> c)
{
    return Acorde("000001", "000001", "C ", "  . ", "Maior", " ", "C", "DS1_0001", c[0], c[1], c[2],
                  c[3], c[4], c[5], " ", " ");
}
} // namespace

TEST(FretPattern, FretTexts)
{
    EXPECT_EQ(parseFretText(" "), kMuted);
    EXPECT_EQ(parseFretText("0"), 0);
    EXPECT_EQ(parseFretText("9"), 9);
    EXPECT_EQ(parseFretText("15"), 15);
    for (const char* text : {"", "16", "05", "00", "x", " 1", "1 ", "-1", "  ", "100"})
        EXPECT_FALSE(parseFretText(text)) << '"' << text << '"';
    EXPECT_EQ(fretText(kMuted), " ");
    EXPECT_EQ(fretText(0), "0");
    EXPECT_EQ(fretText(15), "15");
}

TEST(FretPattern, ReadsARecordStringsOneToSix)
{
    EXPECT_EQ(FretPattern::of(record({" ", "1", "0", "2", "3", " "})),
              (FretPattern{X, 1, 0, 2, 3, X}));
    EXPECT_EQ(FretPattern::of(record({"15", "12", "10", "9", " ", " "})),
              (FretPattern{15, 12, 10, 9, X, X}));
    for (const char* bad : {"", "16", "01", "x"})
        EXPECT_FALSE(FretPattern::of(record({"1", "1", "0", "2", "3", bad}))) << bad;
    EXPECT_EQ(FretPattern::parse({" ", "1", "0", "2", "3", " "})->fretText(2), "1");
    EXPECT_EQ(FretPattern::parse({" ", "1", "0", "2", "3", " "})->fretText(6), " ");
}

TEST(FretPattern, CompactFormAndShape)
{
    const FretPattern c{X, 1, 0, 2, 3, X};
    EXPECT_EQ(c.format(), "x,1,0,2,3,x");
    EXPECT_EQ(FretPattern{}.format(), "x,x,x,x,x,x");
    EXPECT_EQ((FretPattern{15, 12, 10, 9, X, X}).format(), "15,12,10,9,x,x");
    EXPECT_EQ(c.soundedStrings(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(c.lowestFret(), 1);
    EXPECT_EQ(c.highestFret(), 3);
    EXPECT_EQ(c.fretSum(), 6);
    EXPECT_EQ(c.fret(5), 3);
    const FretPattern em{0, 0, 0, 2, 2, 0};
    EXPECT_EQ(em.lowestFret(), 2);
    EXPECT_EQ(em.highestFret(), 2);
    const FretPattern open{0, 0, 0, X, X, X};
    EXPECT_EQ(open.lowestFret(), 0);
    EXPECT_EQ(open.highestFret(), 0);
    EXPECT_EQ(open.soundedStrings(), (std::vector<int>{1, 2, 3}));
}

TEST(FretPattern, PitchesAreTheNotesWhateverStringsCarryThem)
{
    // Fmaj7(9) x,x,3,2,5,3 and x,8,7,9,8,x sound the same four notes in the
    // same octaves on other strings; a note doubled an octave apart is
    // another note, one doubled in unison counts once.
    const FretPattern a{3, 5, 2, 3, X, X};  // x,x,3,2,5,3: F3 A3 E4 G4
    const FretPattern b{X, 8, 9, 7, 8, X};  // x,8,7,9,8,x: F3 A3 E4 G4
    const FretPattern c{X, 8, 9, 7, 8, 13}; // F3 again, on the low string
    const FretPattern e{1, 8, 9, 7, 8, X};  // F4 above
    const FretPattern d{X, 10, 9, 7, 8, X}; // A4 in place of G4
    EXPECT_EQ(a.pitches(), (std::vector<int>{53, 57, 64, 67}));
    EXPECT_EQ(a.pitches(), b.pitches());
    EXPECT_EQ(b.pitches(), c.pitches());
    EXPECT_NE(a.pitches(), d.pitches());
    EXPECT_NE(a.pitches(), e.pitches());
    EXPECT_TRUE(FretPattern{}.pitches().empty());
}

#include "catalogue/ChordNaming.h"
#include "catalogue/Vocabularies.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace catalogue;

TEST(Vocabularies, ListsHoldTheirEntriesWithBlanks)
{
    ASSERT_EQ(tonicas().size(), 18u);
    ASSERT_EQ(tipos().size(), 91u);
    EXPECT_EQ(tonicas().front(), "*");
    EXPECT_EQ(tonicas()[2], "C# ");
    EXPECT_EQ(tonicas().back(), "B ");
    EXPECT_EQ(tipos()[1], "/ ");
    EXPECT_EQ(tipos()[2], " triad ");
    EXPECT_EQ(tipos()[28], "m7/");
    EXPECT_EQ(tipos()[40], "m(maj7)/");
    EXPECT_EQ(tipos().back(), "dim(4) ");
    int slashEnded = 0;
    int blankEnded = 0;
    for (std::size_t i = 1; i < tipos().size(); ++i) {
        const auto& e = tipos()[i];
        slashEnded += e.back() == '/';
        blankEnded += e.back() == ' ';
        EXPECT_EQ(e.find("  "), std::string::npos) << e;
    }
    EXPECT_EQ(slashEnded, 12);
    EXPECT_EQ(blankEnded, 78);
}

TEST(Vocabularies, TextForms)
{
    EXPECT_EQ(rootName("C# "), "C#");
    EXPECT_EQ(typeText("m7 "), " m7 ");
    EXPECT_EQ(typeText("m7/"), " m7/ ");
    EXPECT_EQ(typeText(" triad "), "  triad ");
    EXPECT_EQ(typeText("/ "), " / ");
    EXPECT_EQ(typeFieldText("m7/"), " m7/");
    EXPECT_EQ(typeFieldText("*"), std::string(kAnyTypeField));
    EXPECT_EQ(kPlainMajorType, "  . ");
    EXPECT_TRUE(isSlashType(" 7/ "));
    EXPECT_FALSE(isSlashType(" 6/9 "));
    EXPECT_EQ(categoria("  . "), "Maior");
    EXPECT_EQ(categoria(" maj7(#5/9) "), "NA");
    EXPECT_EQ(categoria(" m7(b5/9/11) "), "menor");
    EXPECT_EQ(categoria(" sus7(17) "), "7");
    EXPECT_EQ(categoria(" dim(4) "), "dim");
}

namespace {
std::vector<std::string> typesTakenBy(const std::string& entry)
{
    std::vector<std::string> taken;
    for (const auto& t : typeTexts())
        if (beginsWith(t, typeFieldText(entry)))
            taken.push_back(t);
    return taken;
}
} // namespace

TEST(Vocabularies, PrefixTestTakesOneTypeExceptMAndSixSlash)
{
    EXPECT_EQ(typesTakenBy("m "), (std::vector<std::string>{
                                      " m ", " m triad ", " m maj7 ", " m maj7(9) ", " m maj7(6) ",
                                      " m maj7(11) ", " m maj7(9/11) ", " m maj7(6/9) "}));
    EXPECT_EQ(typesTakenBy("6/"), (std::vector<std::string>{" 6/ ", " 6/9 "}));
    for (std::size_t i = 1; i < tipos().size(); ++i) {
        if (tipos()[i] == "m " || tipos()[i] == "6/")
            continue;
        EXPECT_EQ(typesTakenBy(tipos()[i]), std::vector<std::string>{typeText(tipos()[i])})
            << tipos()[i];
    }
    // No root text begins another root's records, and no type row takes plain major.
    for (std::size_t a = 1; a < tonicas().size(); ++a)
        for (std::size_t b = 1; b < tonicas().size(); ++b)
            EXPECT_EQ(beginsWith(tonicas()[b], tonicas()[a]), a == b);
    EXPECT_EQ(std::count(typeTexts().begin(), typeTexts().end(), "  . "), 1);
}

TEST(ChordNaming, PitchClasses)
{
    EXPECT_EQ(pitchClass("C"), 0);
    EXPECT_EQ(pitchClass("B#"), 0);
    EXPECT_EQ(pitchClass("Cb"), 11);
    EXPECT_EQ(pitchClass("Fx"), 7);
    EXPECT_EQ(pitchClass("Bbb"), 9);
    EXPECT_EQ(pitchClass("E#"), 5);
    EXPECT_FALSE(pitchClass("H"));
    EXPECT_FALSE(pitchClass("C##"));
    EXPECT_FALSE(pitchClass(""));
}

TEST(ChordNaming, BassNotesAndSymbols)
{
    EXPECT_EQ(chordSymbol("D# ", " / ", 4), "D#/Fx");
    EXPECT_EQ(chordSymbol("Gb ", " m/ ", 3), "Gbm/Bbb");
    EXPECT_EQ(chordSymbol("A# ", " / ", 7), "A#/E#");
    EXPECT_EQ(chordSymbol("Db ", " 7/ ", 10), "Db/Cb");
    EXPECT_EQ(chordSymbol("C ", " 7/ ", 10), "C/Bb");
    EXPECT_EQ(chordSymbol("C ", " 7/ ", 4), "C7/E");
    EXPECT_EQ(chordSymbol("A# ", " add9/ ", 4), "A#add9/Cx");
    EXPECT_EQ(chordSymbol("C# ", " / ", 4), "C#/E#");
    EXPECT_EQ(chordSymbol("G# ", " / ", 4), "G#/B#");
    EXPECT_EQ(chordSymbol("Db ", " m/ ", 3), "Dbm/Fb");
    EXPECT_EQ(chordSymbol("Ab ", " m/ ", 3), "Abm/Cb");
    EXPECT_EQ(chordSymbol("C ", " m7/ ", 10), "Cm7/Bb");
    EXPECT_EQ(chordSymbol("C ", " m(maj7)/ ", 3), "Cm(maj7)/Eb");
    EXPECT_EQ(chordSymbol("C ", "  . "), "C");
    EXPECT_EQ(chordSymbol("C ", "  triad "), "C triad");
    EXPECT_EQ(chordSymbol("C ", " m maj7 "), "Cm maj7");
    EXPECT_EQ(bassName("C", 5), "");
}

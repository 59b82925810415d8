#include "fretboard/model/NoteNames.h"
#include "fretboard/model/Position.h"

#include <gtest/gtest.h>

#include <map>

using namespace fretboard;

TEST(NoteNames, TableCellsFromTheEdgesAndMiddle)
{
    EXPECT_EQ(noteNameForFretButton("C1C0"), "E ");
    EXPECT_EQ(noteNameForFretButton("C6C0"), "E ");
    EXPECT_EQ(noteNameForFretButton("C2C12"), "B ");
    EXPECT_EQ(noteNameForFretButton("C3C1"), "G# Ab ");
    EXPECT_EQ(noteNameForFretButton("C3C15"), "A# Bb ");
    EXPECT_EQ(noteNameForFretButton("C5C15"), "C ");
    EXPECT_EQ(noteNameForFretButton("C4C11"), "C# Db ");
    EXPECT_EQ(noteNameForFretButton("C6C9"), "C# Db ");
}

TEST(NoteNames, EveryCellIsTheOpenNotePlusTheFret)
{
    const char* chromatic[12] = {"C ",     "C# Db ", "D ",     "D# Eb ", "E ",     "F ",
                                 "F# Gb ", "G ",     "G# Ab ", "A ",     "A# Bb ", "B "};
    const int openNote[7] = {0, 4, 11, 7, 2, 9, 4}; // strings 1..6
    for (int s = kHighEString; s <= kLowEString; ++s)
        for (int f = kOpenString; f <= kLastFret; ++f)
            EXPECT_EQ(noteNameForFretButton(positionName({s, f})),
                      chromatic[(openNote[s] + f) % 12])
                << positionName({s, f});
}

TEST(NoteNames, CountsPerNoteAcrossTheFretboard)
{
    std::map<std::string, int> counts;
    for (int s = kHighEString; s <= kLowEString; ++s)
        for (int f = kOpenString; f <= kLastFret; ++f)
            ++counts[noteNameForFretButton(positionName({s, f}))];
    const std::map<std::string, int> expected{
        {"E ", 9}, {"F ", 9}, {"G ", 9},     {"C# Db ", 7}, {"D# Eb ", 7}, {"G# Ab ", 7},
        {"C ", 8}, {"D ", 8}, {"F# Gb ", 8}, {"A ", 8},     {"A# Bb ", 8}, {"B ", 8}};
    EXPECT_EQ(counts, expected);
}

TEST(NoteNames, AnyOtherKeyIsOneBlank)
{
    for (const char* key : {"C1C ", "C1C05", "C0C0", "C7C0", "C1C16", "c1c0", "C1C0 ", " C1C0",
                            "nC1C0", "", "C1C", "C1C-1", "C1C1 5", "C1C015"})
        EXPECT_EQ(noteNameForFretButton(key), " ") << '"' << key << '"';
}

TEST(NoteNames, StartupChordMarksTheTwoCs)
{
    // " ","1","0","2","3"," " as the drawing names its strings.
    const char* names[6] = {"C1C ", "C2C1", "C3C0", "C4C2", "C5C3", "C6C "};
    const char* expected[6] = {" ", "C ", "G ", "E ", "C ", " "};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(noteNameForFretButton(names[i]), expected[i]);
        EXPECT_EQ(isRootNote(noteNameForFretButton(names[i]), "C "), i == 1 || i == 4);
    }
}

TEST(NoteNames, RootTextsFindOnlyTheirOwnPitchClass)
{
    EXPECT_TRUE(isRootNote("C# Db ", "C# "));
    EXPECT_TRUE(isRootNote("C# Db ", "Db "));
    EXPECT_FALSE(isRootNote("C# Db ", "C "));
    EXPECT_FALSE(isRootNote("C# Db ", "D "));
    EXPECT_FALSE(isRootNote("A# Bb ", "B "));
    EXPECT_FALSE(isRootNote("G# Ab ", "A "));
    EXPECT_FALSE(isRootNote("E ", "*"));
    EXPECT_FALSE(isRootNote(" ", "C "));
    EXPECT_FALSE(isRootNote("C ", ""));
}

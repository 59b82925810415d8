#include "finder/ChordNameScan.h"

#include <gtest/gtest.h>

using catalogue::Acorde;
using catalogue::ChordList;
using finder::boldNames;
using finder::chordsNamedInText;
using finder::firstChordNamed;
using Names = std::vector<std::string>;

namespace {

catalogue::AcordeRef chord(const std::string& id, const std::string& tonica,
                           const std::string& cifra)
{
    return std::make_shared<Acorde>(id, id, tonica, " . ", "M", "0", cifra, "img" + id, " ", "1",
                                    "0", "2", "3", " ", " ", "000");
}

// A small catalogue with the traps of the real one: several voicings per
// symbol, symbols that begin with other symbols, enharmonic twins.
ChordList smallCatalogue()
{
    return {chord("1", "C ", "C"),     chord("2", "C ", "C"),   chord("3", "A ", "A"),
            chord("4", "A ", "Am7"),   chord("5", "A ", "Am"),  chord("6", "A ", "Am"),
            chord("7", "G ", "G7"),    chord("8", "C# ", "C#"), chord("9", "Db ", "Db"),
            chord("10", "G ", "G7(9)")};
}

std::vector<std::string> ids(const ChordList& records)
{
    std::vector<std::string> out;
    for (const auto& record : records)
        out.push_back(record->IDCifra);
    return out;
}

} // namespace

TEST(BoldNames, NamesInPageOrderWithRepeats)
{
    EXPECT_EQ(boldNames("<p><b>Am</b> depois <b>G7</b> e <b>Am</b></p>"),
              (Names{"Am", "G7", "Am"}));
    EXPECT_EQ(boldNames("<B>C</B> <b>D</B> <B>E</b>"), (Names{"C", "D", "E"}));
}

TEST(BoldNames, NamesAreTakenAsTheyStand)
{
    EXPECT_EQ(boldNames("<b> C</b><b><i>C</i></b><b>C\n</b><b></b>"),
              (Names{" C", "<i>C</i>", "C\n", ""}));
    // A nested opening mark stays in the name; the next closing mark ends it.
    EXPECT_EQ(boldNames("<b>A<b>B</b>C</b>"), (Names{"A<b>B"}));
    // Marks with attributes or other tags are not bold marks.
    EXPECT_EQ(boldNames("<b class=x>C</b><br>D</b><strong>E</strong>"), Names{});
}

TEST(BoldNames, AnUnclosedMarkRunsToTheEnd)
{
    EXPECT_EQ(boldNames("texto <b>G7"), (Names{"G7"}));
    EXPECT_EQ(boldNames("<b>Am</b> <b>G7 e mais"), (Names{"Am", "G7 e mais"}));
}

TEST(BoldNames, NoMarksNoNames)
{
    EXPECT_EQ(boldNames(""), Names{});
    EXPECT_EQ(boldNames(" \n\t "), Names{});
    EXPECT_EQ(boldNames("<html>sem negrito</b></html>"), Names{});
    EXPECT_EQ(boldNames("<b"), Names{});
}

TEST(ChordNameMatch, FirstRecordWithExactlyThatSymbol)
{
    const ChordList records = smallCatalogue();
    EXPECT_EQ(firstChordNamed(records, "C"), records[0]);
    EXPECT_EQ(firstChordNamed(records, "Am"), records[4]); // not "Am7"
    EXPECT_EQ(firstChordNamed(records, "A"), records[2]);
    EXPECT_EQ(firstChordNamed(records, "G7"), records[6]); // not "G7(9)"
    EXPECT_EQ(firstChordNamed(records, "Db"), records[8]);
    EXPECT_EQ(firstChordNamed(records, "C#"), records[7]);
    for (const char* name : {"c", "am", " C", "C ", "", "D", "G", "Am7 ", "<i>C</i>"})
        EXPECT_EQ(firstChordNamed(records, name), nullptr) << '"' << name << '"';
    EXPECT_EQ(firstChordNamed({}, "C"), nullptr);
}

TEST(ChordNameMatch, ImportAppendsTheFirstRecordOfEachName)
{
    const ChordList records = smallCatalogue();
    EXPECT_EQ(ids(chordsNamedInText("<b>Am</b> <b>G7</b>", records)), (Names{"5", "7"}));
    EXPECT_EQ(ids(chordsNamedInText("<B>Am</B><b>X</b><b>Am</b><b>Db", records)),
              (Names{"5", "5", "9"}));
    EXPECT_EQ(ids(chordsNamedInText("<b>C</b>", records)), (Names{"1"}));
    EXPECT_TRUE(chordsNamedInText("<b> C</b><b><i>Am</i></b> C Am", records).empty());
    // The very records of the catalogue, not copies.
    EXPECT_EQ(chordsNamedInText("<b>C</b>", records).front(), records[0]);
}

// The import's look-up through an index gives exactly what a pass over the
// catalogue per name gives, forming "<symbol>/ " and "<name>/ " as texts.
#include "catalogue/CatalogueLoader.h"
#include "catalogue/SourceFiles.h"
#include "finder/ChordNameScan.h"

#include <gtest/gtest.h>

using catalogue::ChordList;

namespace {

// The rule as stated, one pass and two new texts per record.
catalogue::AcordeRef literalFirstChordNamed(const ChordList& records, const std::string& name)
{
    const std::string key = name + "/ ";
    for (const auto& record : records)
        if (record && (record->Cifra + "/ ").starts_with(key))
            return record;
    return nullptr;
}

ChordList literalChordsNamedInText(const std::string& text, const ChordList& records)
{
    ChordList found;
    for (const std::string& name : finder::boldNames(text))
        if (auto record = literalFirstChordNamed(records, name))
            found.push_back(record);
    return found;
}

catalogue::AcordeRef chord(const std::string& id, const std::string& cifra)
{
    return std::make_shared<catalogue::Acorde>(id, id, "C ", " . ", "M", "0", cifra, "i", " ", "1",
                                               "0", "2", "3", " ", " ", " ");
}

} // namespace

TEST(ChordNameIndex, AnswersAsAPassOverTheWholeCatalogue)
{
    const ChordList records =
        *catalogue::loadCatalogue(sourcePath("resources/catalogue.tsv"), [](const std::string&) {});
    ASSERT_EQ(records.size(), catalogue::kCatalogueRecords);
    std::string page;
    for (std::size_t i = 0; i < records.size(); i += 7) {
        const std::string& symbol = records[i]->Cifra;
        for (const std::string& name : {symbol, symbol + " ", symbol.substr(0, symbol.size() - 1),
                                        symbol + "/", "<i>" + symbol + "</i>"})
            page += "<b>" + name + "</b> ";
    }
    page += "<B>Am</B><b>Am<b>C</b><b>Db</b><b>";
    const ChordList found = finder::chordsNamedInText(page, records);
    EXPECT_GT(found.size(), 700u);
    EXPECT_EQ(found, literalChordsNamedInText(page, records));
}

TEST(ChordNameIndex, SymbolsHoldingTheSeparatorStillMatchByPrefix)
{
    // "C/ E" begins with "C/ ", so the name "C" finds it before "C" itself.
    const ChordList records{chord("1", "Dm"), chord("2", "C/"), chord("3", "C/ E"), chord("4", "C"),
                            chord("5", "Dm")};
    const std::string page = "<b>C</b><b>C/</b><b>Dm</b><b>C/ E</b><b>C/ </b><b></b>";
    const ChordList found = finder::chordsNamedInText(page, records);
    EXPECT_EQ(found, literalChordsNamedInText(page, records));
    EXPECT_EQ(found, (ChordList{records[2], records[1], records[0], records[2]}));
}

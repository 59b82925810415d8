#include "ListsTestSupport.h"

#include "favourites/SavedLists.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

using catalogue::AcordeRef;
using catalogue::ChordList;
using favourites::SavedLists;
using favourites::voicingsFor;
using liststest::fileBytes;
using liststest::record;
using liststest::TempFolder;
using liststest::tree;
using liststest::writeFile;
namespace fs = std::filesystem;

namespace {
const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                           "<plist version=\"1.0\">\n";

class SavedListsTest : public ::testing::Test {
protected:
    // C has two voicings, Cm one, D three; they stand together in catalogue order.
    AcordeRef c1 = record("1", "001319", "C"), c2 = record("2", "001319", "C");
    AcordeRef cm = record("3", "000100", "Cm");
    AcordeRef d1 = record("4", "000200", "D"), d2 = record("5", "000200", "D"),
              d3 = record("6", "000200", "D");
    catalogue::ChordListRef all = std::make_shared<ChordList>(ChordList{c1, c2, cm, d1, d2, d3});
    catalogue::ChordListRef favourites = std::make_shared<ChordList>();

    TempFolder data;
    SavedLists lists{platform::Documents(data.path())};
    fs::path documents = data.path() / "Documents";
    std::vector<std::string> list;

    std::vector<AcordeRef> opened(const std::string& name)
    {
        EXPECT_TRUE(lists.open(name, favourites, all));
        return *favourites;
    }
};
} // namespace

TEST_F(SavedListsTest, SavesTheGridIdentifiersInOrderWithItsLogLines)
{
    *favourites = {c2, cm, c1};
    platform::LogCapture log;
    const auto result = lists.save("Ensaio", favourites, list);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.names, std::vector<std::string>{"Ensaio"});
    EXPECT_EQ(fileBytes(documents / "Ensaio"), header + "<array>\n"
                                                        "\t<string>001319</string>\n"
                                                        "\t<string>000100</string>\n"
                                                        "\t<string>001319</string>\n"
                                                        "</array>\n"
                                                        "</plist>\n");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{
                  "List: ()", "acorde: 001319", "list: (\"001319\")", "acorde: 000100",
                  "list: (\"001319\", \"000100\")", "acorde: 001319",
                  "list: (\"001319\", \"000100\", \"001319\")", "Documents directory: (\"Ensaio\")",
                  "Documents directory: (\"001319\", \"000100\", \"001319\")", "cont list: 1",
                  "cont list: (\"Ensaio\")"}));

    // The same grid again: the same bytes, the same single entry, list unchanged.
    const std::string first = fileBytes(documents / "Ensaio");
    log.clear();
    EXPECT_EQ(lists.save("Ensaio", favourites, list).names, std::vector<std::string>{"Ensaio"});
    EXPECT_EQ(fileBytes(documents / "Ensaio"), first);
    EXPECT_EQ(list, (std::vector<std::string>{"001319", "000100", "001319"}));
    EXPECT_EQ(log.lines().front(), "List: (\"001319\", \"000100\", \"001319\")");

    // An empty grid, and a grid that was never handed over, write an empty array;
    // the list forgets the older identifiers.
    favourites->clear();
    lists.save("vazia", favourites, list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(fileBytes(documents / "vazia"), header + "<array/>\n</plist>\n");
    EXPECT_TRUE(lists.save("ausente", nullptr, list).saved);
    EXPECT_EQ(fileBytes(documents / "ausente"), header + "<array/>\n</plist>\n");
}

TEST_F(SavedListsTest, NamesAreKeptAsTyped)
{
    for (const std::string name : {" Minha lista.plist ", "ACORDES", "acordes", "Canção nº 1"})
        EXPECT_TRUE(lists.save(name, favourites, list).saved) << name;
    std::vector<std::string> names = lists.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{" Minha lista.plist ", "ACORDES", "Canção nº 1",
                                               "acordes"}));
}

TEST_F(SavedListsTest, OpenRefillsTheSameFavouritesVectorWithTheSavedRecords)
{
    *favourites = {d1, d2, cm, c1, c2};
    const ChordList saved = *favourites;
    ASSERT_TRUE(lists.save("ida e volta", favourites, list).saved);
    c1->Fav = "*";
    c1->FavOrder = "001";

    const ChordList* const before = favourites.get();
    *favourites = {c2};
    platform::LogCapture log;
    EXPECT_EQ(opened("ida e volta"), saved);
    EXPECT_EQ(favourites.get(), before);
    EXPECT_EQ(c1->Fav, "*");
    EXPECT_EQ(c1->FavOrder, "001");
    EXPECT_EQ(d1->Fav, " ");
    EXPECT_EQ(
        log.lines(),
        (std::vector<std::string>{
            "selecionada: ida e volta", "plistSelecionado: 000200 - acordeID 000200",
            "plistSelecionado: 000200 - acordeID 000200",
            "plistSelecionado: 000100 - acordeID 000100",
            "plistSelecionado: 001319 - acordeID 001319",
            "plistSelecionado: 001319 - acordeID 001319",
            std::string("filtrados: (\"<Acorde 4 000200 D>\", \"<Acorde 5 000200 D>\", ") +
                "\"<Acorde 3 000100 Cm>\", \"<Acorde 1 001319 C>\", \"<Acorde 2 001319 C>\")"}));
}

// A list whose identifiers come back to a record already opened (a list
// written by hand, or saved before favourites were kept once each) opens to
// each record once, where it first appears.
TEST_F(SavedListsTest, AnOpenedListHoldsEachRecordOnce)
{
    fs::create_directories(documents);
    liststest::writeFile(
        documents / "repetida",
        *platform::propertyListXml({"001319", "000100", "001319", "001319", "001319", "000200"}));
    EXPECT_EQ(opened("repetida"), (ChordList{c1, cm, c2, d1}));
}

TEST_F(SavedListsTest, LookUpTakesFirstVoicingsAndRepeatsInTurn)
{
    const ChordList& catalogue = *all;
    EXPECT_EQ(voicingsFor({"001319", "001319", "001319"}, catalogue), (ChordList{c1, c2, c1}));
    EXPECT_EQ(voicingsFor({"001319", "000100", "001319"}, catalogue), (ChordList{c1, cm, c1}));
    EXPECT_EQ(voicingsFor({"000200", "000200", "000200", "000200"}, catalogue),
              (ChordList{d1, d2, d3, d1}));
    EXPECT_EQ(voicingsFor({"000100", "000100"}, catalogue), (ChordList{cm, cm}));
    // A symbol is found again from the start after the search passed it.
    EXPECT_EQ(voicingsFor({"000200", "001319", "000200"}, catalogue), (ChordList{d1, c1, d1}));
    // Unknown identifiers are passed over and do not move the search.
    EXPECT_EQ(voicingsFor({"999999", "001319", "001319 ", "1319", "001319"}, catalogue),
              (ChordList{c1, c2}));
    EXPECT_TRUE(voicingsFor({"001319"}, ChordList{}).empty());
}

TEST_F(SavedListsTest, OpensListsWrittenElsewhereInXmlAndBinaryForm)
{
    fs::create_directories(documents);
    writeFile(documents / "do telefone", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                         "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                         "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\r\n"
                                         "<plist version=\"1.0\">\r\n<array>\r\n"
                                         "  <string>000200</string>\r\n"
                                         "  <!-- a comment -->\r\n"
                                         "  <integer>5</integer>\r\n"
                                         "  <string>001319</string>\r\n"
                                         "</array>\r\n</plist>\r\n");
    const char binary[] = "bplist00\xa2\x01\x02\x56"
                          "000100\x56"
                          "001319\x08\x0b\x12\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00"
                          "\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                          "\x00\x00\x00\x19";
    writeFile(documents / "binária", std::string(binary, sizeof binary - 1));
    writeFile(documents / "vazia", header + "<array/></plist>\n");

    platform::LogCapture log;
    EXPECT_EQ(opened("do telefone"), (ChordList{d1, c1}));
    EXPECT_TRUE(log.contains("elementos ignorados: 1"));
    EXPECT_EQ(opened("binária"), (ChordList{cm, c1}));
    // An empty list is the list's content: the favourites become empty.
    favourites->push_back(c1);
    EXPECT_TRUE(opened("vazia").empty());
}

TEST_F(SavedListsTest, AListThatCannotBeOpenedLeavesTheFavouritesAsTheyWere)
{
    fs::create_directories(documents / "pasta");
    writeFile(documents / "texto", "001319\n000100\n");
    writeFile(documents / "dicionário",
              header + "<dict><key>a</key><string>001319</string></dict></plist>\n");
    writeFile(documents / "cortada", header + "<array>\n\t<string>001319</string>\n");
    writeFile(documents / "grande", std::string(platform::maxPropertyListSize + 1, ' '));
    writeFile(documents / "nomes",
              header + "<array><string>C</string><string>Cm</string><string>00131</string>"
                       "</array></plist>\n");
    writeFile(documents / "desconhecidos",
              header + "<array><string>C</string><string>000070</string><string>999999</string>"
                       "</array></plist>\n");
    *favourites = {cm, d3};
    platform::LogCapture log;
    using Refusal = SavedLists::OpenResult::Refusal;
    const std::pair<std::string, Refusal> refused[] = {
        {"ausente", Refusal::NotRead},    {"pasta", Refusal::NotRead},
        {"texto", Refusal::NotAList},     {"dicionário", Refusal::NotAList},
        {"cortada", Refusal::NotAList},   {"grande", Refusal::TooLarge},
        {"nomes", Refusal::NoIdentifier}, {"desconhecidos", Refusal::NoCatalogueChord}};
    for (const auto& [name, refusal] : refused) {
        const SavedLists::OpenResult result = lists.open(name, favourites, all);
        EXPECT_EQ(result.refusal, refusal) << name;
        EXPECT_EQ(*favourites, (ChordList{cm, d3})) << name;
    }
    EXPECT_TRUE(log.contains("lista não lida: \"ausente\" - open: No such file or directory"));
    EXPECT_TRUE(log.contains("lista não lida: \"pasta\" - not a regular file: a folder"));
    EXPECT_TRUE(
        log.contains("lista não é um array de property list: \"texto\" - not a property list"));
    EXPECT_TRUE(
        log.contains("lista não é um array de property list: \"cortada\" - not a property list"));
    EXPECT_TRUE(
        log.contains(R"(lista sem identificador de acorde: "nomes" - ("C", "Cm", "00131"))"));
    EXPECT_TRUE(log.contains(
        R"(lista sem acorde do catálogo: "desconhecidos" - ("C", "000070", "999999"))"));
}

TEST_F(SavedListsTest, UnsafeNamesTouchNothingInOrOutsideDocuments)
{
    *favourites = {c1};
    ASSERT_TRUE(lists.save("guardada", favourites, list).saved);
    fs::create_directories(documents / "sub");
    writeFile(data.path() / "fora", "fora");
    const auto before = tree(data.path());
    const std::string bytes = fileBytes(documents / "guardada");

    platform::LogCapture log;
    for (const auto& name : {std::string(""), std::string("."), std::string(".."),
                             std::string("../fora"), std::string("sub/lista"),
                             std::string("/tmp/cifrario-lista-absoluta"), std::string("a\0b", 3)}) {
        EXPECT_FALSE(lists.save(name, favourites, list).saved);
        EXPECT_FALSE(lists.open(name, favourites, all));
        EXPECT_FALSE(lists.remove(name));
    }
    EXPECT_EQ(tree(data.path()), before);
    EXPECT_EQ(fileBytes(documents / "guardada"), bytes);
    EXPECT_EQ(fileBytes(data.path() / "fora"), "fora");
    EXPECT_FALSE(fs::exists("/tmp/cifrario-lista-absoluta"));
    EXPECT_EQ(*favourites, ChordList{c1});
    EXPECT_TRUE(log.contains("nome de lista recusado: \"\""));
    EXPECT_TRUE(log.contains("nome de lista recusado: \"../fora\""));
    EXPECT_TRUE(log.contains("nome de lista recusado: \"a\\x00b\""));
}

TEST_F(SavedListsTest, AFailedSaveKeepsTheOldListWholeAndLeavesNoStrayFile)
{
    *favourites = {c1};
    ASSERT_TRUE(lists.save("lista", favourites, list).saved);
    const std::string old = fileBytes(documents / "lista");
    const auto before = tree(data.path());

    // The process may not write files larger than the old list: the new,
    // longer one fails half way through.
    *favourites = ChordList(40, d2);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{static_cast<rlim_t>(old.size() + 10), limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    platform::LogCapture log;
    const auto result = lists.save("lista", favourites, list);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.saved);
    EXPECT_EQ(fileBytes(documents / "lista"), old);
    EXPECT_EQ(tree(data.path()), before);
    EXPECT_TRUE(log.contains("lista não salva: \"lista\" - write: File too large"));
    EXPECT_TRUE(log.contains("Documents directory: (\"001319\")"));

    // A folder of that name stays as it was.
    fs::create_directories(documents / "pasta" / "dentro");
    log.clear();
    EXPECT_FALSE(lists.save("pasta", favourites, list).saved);
    EXPECT_TRUE(fs::is_directory(documents / "pasta" / "dentro"));
    EXPECT_TRUE(log.contains("lista não salva: \"pasta\" - a folder holds that name"));
}

TEST_F(SavedListsTest, ALongListIsLoggedByItsFirstEntriesAndItsCount)
{
    // Forty voicings of Cm, so the opened list holds all forty once each.
    auto voicings = std::make_shared<ChordList>();
    for (int i = 0; i < 40; ++i)
        voicings->push_back(record(std::to_string(100 + i), "000100", "Cm"));
    *favourites = *voicings;
    platform::LogCapture log;
    lists.save("longa", favourites, list);
    std::string first16 = "(";
    for (int i = 0; i < 16; ++i)
        first16 += std::string(i ? ", " : "") + "\"000100\"";
    std::vector<std::string> lines = log.lines();
    // A line per record for the first 16, then one for the other 24.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "acorde: 000100"), 16);
    EXPECT_TRUE(log.contains("list: " + first16 + ")"));
    EXPECT_FALSE(log.contains("list: " + first16 + ", … 17 elements)"));
    EXPECT_TRUE(log.contains("acorde: … 24 more"));
    EXPECT_TRUE(log.contains("list: " + first16 + ", … 40 elements)"));
    log.clear();
    lists.save("longa", favourites, list);
    EXPECT_EQ(log.lines().front(), "List: " + first16 + ", … 40 elements)");

    log.clear();
    ASSERT_TRUE(lists.open("longa", favourites, voicings));
    lines = log.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "plistSelecionado: 000100 - acordeID 000100"),
              16);
    EXPECT_TRUE(log.contains("plistSelecionado: … 24 more"));
    EXPECT_EQ(lines.back().find("filtrados: (\"<Acorde 100 000100 Cm>\", "), 0u);
    EXPECT_NE(lines.back().find("\"<Acorde 115 000100 Cm>\", … 40 elements)"), std::string::npos);
}

// One size bound for writing and reading: the longest list that can be
// saved opens again, and one identifier more is refused before anything is
// written. However long the list, a save or an open logs a few kilobytes.
TEST_F(SavedListsTest, WhatIsSavedOpensAndALongerListIsRefusedBeforeItIsWritten)
{
    const std::size_t one = platform::propertyListXml({"001319"})->size();
    const std::size_t perEntry = platform::propertyListXml({"001319", "001319"})->size() - one;
    const std::size_t longest = (platform::maxPropertyListSize - (one - perEntry)) / perEntry;
    const auto logBytes = [](const platform::LogCapture& log) {
        std::size_t bytes = 0;
        for (const std::string& line : log.lines())
            bytes += line.size() + 1;
        return bytes;
    };

    favourites->assign(longest, c1);
    platform::LogCapture log;
    ASSERT_TRUE(lists.save("grande", favourites, list).saved);
    EXPECT_LE(fs::file_size(documents / "grande"), platform::maxPropertyListSize);
    EXPECT_LT(logBytes(log), 8192u);
    log.clear();
    favourites->clear();
    ASSERT_TRUE(lists.open("grande", favourites, all));
    // Every entry names C, whose two voicings the opened list holds once each.
    EXPECT_EQ(*favourites, (ChordList{c1, c2}));
    EXPECT_LT(logBytes(log), 8192u);

    const std::string saved = fileBytes(documents / "grande");
    const auto before = tree(data.path());
    favourites->assign(longest + 1, c1);
    log.clear();
    const auto refused = lists.save("grande", favourites, list);
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(refused.tooLarge);
    EXPECT_EQ(refused.names, std::vector<std::string>{"grande"});
    EXPECT_EQ(list.size(), longest + 1);
    EXPECT_EQ(fileBytes(documents / "grande"), saved);
    EXPECT_EQ(tree(data.path()), before);
    const std::string warning = "lista não salva: \"grande\" - larger than 4194304 bytes";
    EXPECT_TRUE(log.contains(warning));
    EXPECT_EQ(log.levelOf(warning), platform::LogLevel::Warning);
    EXPECT_LT(logBytes(log), 8192u);
    EXPECT_FALSE(lists.save("nova", favourites, list).saved);
    EXPECT_FALSE(fs::exists(documents / "nova"));
    EXPECT_FALSE(lists.save("vazia", std::make_shared<ChordList>(), list).tooLarge);
}

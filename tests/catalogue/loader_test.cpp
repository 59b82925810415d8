#include "SourceFiles.h"
#include "catalogue/CatalogueLoader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace catalogue;

namespace {
const std::string kHeader = "IDAcorde\tIDCifra\tTonica\tTipo\tCategoria\tInversao\tCifra\tImage\tC1"
                            "\tC2\tC3\tC4\tC5\tC6\tFav\tFavOrder\n";
const std::string kRecord =
    "000004\t001319\tC \t  . \tMaior\t \tC\tDS1_0019\t \t1\t0\t2\t3\t \t \t \n";

struct Loaded {
    ChordListRef list;
    std::vector<std::string> log;
};

// Small files stand for a catalogue of as many records as they hold.
Loaded load(const std::string& path, std::size_t records = 2)
{
    Loaded r;
    r.list = loadCatalogue(
        path, [&](const std::string& line) { r.log.push_back(line); }, records);
    return r;
}

class LoaderFile : public ::testing::Test {
protected:
    std::string path = (std::filesystem::temp_directory_path() /
                        ("catalogue_loader_" + std::to_string(::getpid()) + ".tsv"))
                           .string();
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    void TearDown() override { std::remove(path.c_str()); }

    // A bad file gives one log line naming the file and the line, and nothing else.
    void expectRejected(const std::string& text, const std::string& line, std::size_t records = 2)
    {
        write(text);
        auto r = load(path, records);
        ASSERT_TRUE(r.list);
        EXPECT_TRUE(r.list->empty());
        ASSERT_EQ(r.log.size(), 1u);
        EXPECT_NE(r.log[0].find(path + (line.empty() ? "" : ":" + line) + ":"), std::string::npos)
            << r.log[0];
    }
};
} // namespace

TEST_F(LoaderFile, ReadsRecordsVerbatim)
{
    write(kHeader + kRecord + kRecord);
    auto r = load(path);
    ASSERT_EQ(r.list->size(), 2u);
    EXPECT_TRUE(r.log.empty());
    const auto& a = *r.list->front();
    EXPECT_EQ(a.Tipo, "  . ");
    EXPECT_EQ(a.C1, " ");
    EXPECT_EQ(a.C5, "3");
    EXPECT_EQ(a.Fav, " ");
    EXPECT_NE(r.list->at(0), r.list->at(1));
}

TEST_F(LoaderFile, BadFilesGiveOneLineAndNoRecords)
{
    expectRejected(kHeader + kRecord + kRecord.substr(0, kRecord.size() - 1), "3");
    expectRejected("IDAcorde\tIDCifra\n" + kRecord, "1");
    expectRejected(kHeader + kRecord + "000005\t001319\tC \n", "3");
    expectRejected(kHeader + kRecord + std::string(100000, '\t') + "\n", "3");
    std::string badFret = kRecord;
    badFret.replace(badFret.find("\t3\t"), 3, "\t16\t");
    expectRejected(kHeader + badFret, "2", 1);
    // Each of the six fret columns is checked.
    for (int string = 1; string <= 6; ++string) {
        std::string badColumn = kHeader + kRecord;
        std::size_t at = badColumn.find("DS1_0019\t") + 9;
        for (int column = 1; column < string; ++column)
            at = badColumn.find('\t', at) + 1;
        badColumn.replace(at, badColumn.find('\t', at) - at, "x");
        expectRejected(badColumn, "2", 1);
    }
    std::string leadingZero = kRecord;
    leadingZero.replace(leadingZero.find("\t3\t"), 3, "\t03\t");
    expectRejected(kHeader + kRecord + leadingZero, "3");
}

TEST(Loader, MissingFile)
{
    auto r = load("/nonexistent/catalogue.tsv");
    EXPECT_TRUE(r.list->empty());
    ASSERT_EQ(r.log.size(), 1u);
    EXPECT_NE(r.log[0].find("/nonexistent/catalogue.tsv"), std::string::npos);
}

TEST(Loader, CommittedCatalogueLoads)
{
    auto r = load(sourcePath("resources/catalogue.tsv"), kCatalogueRecords);
    EXPECT_TRUE(r.log.empty());
    ASSERT_EQ(r.list->size(), 4957u);
    EXPECT_EQ(r.list->front()->IDAcorde, "000004");
    EXPECT_EQ(r.list->front()->Cifra, "C");
    EXPECT_EQ(r.list->back()->IDAcorde, "005147");
    EXPECT_EQ(r.list->back()->Cifra, "Bdim(4)");
}

TEST_F(LoaderFile, AFileWithTooFewOrTooManyRecordsIsNotACatalogue)
{
    // Cut at a line boundary, header only, or one record too many.
    std::ifstream committed(sourcePath("resources/catalogue.tsv"), std::ios::binary);
    std::string text, line;
    for (int i = 0; i <= 2000 && std::getline(committed, line); ++i)
        text += line + "\n";
    write(text);
    auto r = load(path, kCatalogueRecords);
    EXPECT_TRUE(r.list->empty());
    EXPECT_EQ(r.log, std::vector<std::string>{"Catálogo inválido: " + path +
                                              ": esperados 4957 registros, encontrados 2000"});
    expectRejected(kHeader, "");
    expectRejected(kHeader + kRecord + kRecord + kRecord, "");
}

TEST_F(LoaderFile, TheHeaderNamesEveryField)
{
    std::string renamed = kHeader;
    renamed.replace(renamed.find("Tonica"), 6, "Tônica");
    expectRejected(renamed + kRecord + kRecord, "1");
    std::string swapped = kHeader;
    swapped.replace(swapped.find("Fav\tFavOrder"), 12, "FavOrder\tFav");
    expectRejected(swapped + kRecord + kRecord, "1");
}

TEST_F(LoaderFile, FavouriteMarksStartBlankWhateverTheFileHolds)
{
    std::string marked = kRecord;
    marked.replace(marked.size() - 5, 5, "\tX\t7\n");
    write(kHeader + marked + kRecord);
    auto r = load(path);
    ASSERT_EQ(r.list->size(), 2u) << (r.log.empty() ? "" : r.log[0]);
    EXPECT_EQ(r.list->front()->Fav, " ");
    EXPECT_EQ(r.list->front()->FavOrder, " ");
}

TEST_F(LoaderFile, AnythingButARegularFileOfBoundedSizeIsRefusedWithoutWaiting)
{
    ::alarm(20); // a blocking open would stop the test binary here
    const std::string fifo = path + ".fifo", zero = path + ".zero", dangling = path + ".dangling",
                      folder = path + ".d", huge = path + ".huge";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", zero);
    std::filesystem::create_symlink(path + ".absent", dangling);
    std::filesystem::create_directory(folder);
    write(kHeader);
    std::filesystem::copy_file(path, huge);
    std::filesystem::resize_file(huge, 1700ull * 1024 * 1024); // sparse: no disk used
    const std::vector<std::pair<std::string, std::string>> cases{
        {fifo, "não é um arquivo comum"},
        {zero, "não é um arquivo comum"},
        {folder, "não é um arquivo comum"},
        {dangling, "não foi possível abrir o arquivo"},
        {huge, "arquivo maior que 4194304 bytes"}};
    for (const auto& [file, fault] : cases) {
        auto r = load(file, kCatalogueRecords);
        EXPECT_TRUE(r.list->empty());
        EXPECT_EQ(r.log, std::vector<std::string>{"Catálogo inválido: " + file + ": " += fault});
        std::filesystem::remove_all(file);
    }
    ::alarm(0);
}

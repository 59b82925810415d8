#include "SourceFiles.h"
#include "catalogue/CatalogueLoader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

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

Loaded load(const std::string& path)
{
    Loaded r;
    r.list = loadCatalogue(path, [&](const std::string& line) { r.log.push_back(line); });
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
    void expectRejected(const std::string& text, const std::string& line)
    {
        write(text);
        auto r = load(path);
        ASSERT_TRUE(r.list);
        EXPECT_TRUE(r.list->empty());
        ASSERT_EQ(r.log.size(), 1u);
        EXPECT_NE(r.log[0].find(path + ":" + line + ":"), std::string::npos) << r.log[0];
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
    std::string badFret = kRecord;
    badFret.replace(badFret.find("\t3\t"), 3, "\t16\t");
    expectRejected(kHeader + badFret, "2");
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
    auto r = load(sourcePath("resources/catalogue.tsv"));
    EXPECT_TRUE(r.log.empty());
    ASSERT_EQ(r.list->size(), 4957u);
    EXPECT_EQ(r.list->front()->IDAcorde, "000004");
    EXPECT_EQ(r.list->front()->Cifra, "C");
    EXPECT_EQ(r.list->back()->IDAcorde, "005147");
    EXPECT_EQ(r.list->back()->Cifra, "Bdim(4)");
}

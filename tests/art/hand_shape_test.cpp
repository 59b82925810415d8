// Fret logic behind the chord photographs: which fret the picture starts from, and one picture per
// stem.
#include "tools/photos/HandShape.h"
#include "tools/photos/PhotoStems.h"

#include <gtest/gtest.h>

using photos::FretPattern;
using photos::kMuted;

namespace {
constexpr int X = kMuted;

catalogue::AcordeRef record(const std::string& id, const std::string& stem,
                            std::array<std::string, 6> frets)
{
    return std::make_shared<catalogue::Acorde>(id, "000001", "C ", "  . ", "Maior", " ", "C", stem,
                                               frets[0], frets[1], frets[2], frets[3], frets[4],
                                               frets[5], " ", " ");
}
} // namespace

TEST(HandShape, PictureStartsAtTheNutUnlessTheNotesLieHigher)
{
    EXPECT_EQ(photos::firstFretShown({X, 1, 0, 2, 3, X}), 1);
    EXPECT_EQ(photos::firstFretShown({6, 5, 5, 6, X, X}), 1);
    EXPECT_EQ(photos::firstFretShown({7, 5, 3, 3, X, X}), 3);
    EXPECT_EQ(photos::firstFretShown({12, 13, 12, 14, 12, X}), 12);
    EXPECT_EQ(photos::firstFretShown({0, 10, 9, 0, X, X}), 9);
    EXPECT_EQ(photos::firstFretShown({0, 0, 0, X, X, X}), 1);
}

TEST(HandShape, NotesSpreadOverTooManyFretsDoNotFit)
{
    EXPECT_TRUE(photos::fitsInPicture({X, 1, 0, 2, 3, X}));
    EXPECT_TRUE(photos::fitsInPicture({15, 10, 12, X, X, X}));
    EXPECT_FALSE(photos::fitsInPicture({15, 9, 12, X, X, X}));
    EXPECT_FALSE(photos::fitsInPicture({0, 7, 1, X, X, X}));
}

TEST(PhotoStems, OnePicturePerStemWithTheFirstRecordsFrets)
{
    const std::string path = ART_TEST_DATA_DIR "/photos.tsv";
    std::vector<std::string> lines;
    const auto records = catalogue::loadCatalogue(
        path, [&](const std::string& l) { lines.push_back(l); }, 9);
    ASSERT_EQ(records->size(), 9u) << (lines.empty() ? "" : lines.front());

    const auto shapes =
        photos::distinctStems(*records, [&](const std::string& l) { lines.push_back(l); });
    EXPECT_TRUE(lines.empty());
    ASSERT_EQ(shapes.size(), 8u);
    EXPECT_EQ(shapes[0].stem, "DS1_0019");
    EXPECT_EQ(shapes[0].frets, (FretPattern{X, 1, 0, 2, 3, X}));
    // DS2_0001 is shared by F at the nut and F at the 8th fret: the first wins.
    EXPECT_EQ(shapes[2].stem, "DS2_0001");
    EXPECT_EQ(shapes[2].frets, (FretPattern{1, 1, 2, 3, 3, 1}));
}

TEST(PhotoStems, UnsafeStemsAndBadFretsAreSkippedAndLogged)
{
    catalogue::ChordList records{
        record("1", "../escape", {"1", "1", "0", "2", "3", " "}),
        record("2", "DS1_0001", {"1", "99", "0", "2", "3", " "}),
        record("3", "DS1_0001", {"3", "3", "0", "2", "3", " "}),
        record("4", "", {"3", "3", "0", "2", "3", " "}),
        record("5", "DS1_0002", {"12", "3", "0", "2", "3", " "}),
    };
    std::vector<std::string> lines;
    const auto shapes =
        photos::distinctStems(records, [&](const std::string& l) { lines.push_back(l); });
    ASSERT_EQ(shapes.size(), 2u);
    // The record with readable frets supplies the stem's picture.
    EXPECT_EQ(shapes[0].frets, (FretPattern{3, 3, 0, 2, 3, X}));
    // Notes too far apart: still drawn, but reported.
    EXPECT_EQ(shapes[1].stem, "DS1_0002");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("../escape"), std::string::npos);
    EXPECT_NE(lines[1].find("DS1_0001"), std::string::npos);
    EXPECT_NE(lines[3].find("DS1_0002"), std::string::npos);
}

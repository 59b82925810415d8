// The drawn chord photographs: size, opacity, fingers where the notes are,
// string marks, and files written whole.
#include "catalogue/Fingering.h"
#include "catalogue/SourceFiles.h"
#include "tools/photos/ChordPhoto.h"
#include "tools/photos/PhotoStems.h"
#include "tools/photos/PhotoWriter.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using photos::ChordPhotoPainter;
using photos::FretPattern;

namespace {
constexpr int X = photos::kMuted;

bool isSkin(const QColor& c)
{
    return c.red() > 150 && c.red() > c.green() && c.green() > c.blue() && c.red() - c.blue() > 30;
}

const ChordPhotoPainter& painter()
{
    static const ChordPhotoPainter instance;
    return instance;
}

QColor at(const QImage& image, QPointF point)
{
    return image.pixelColor(point.toPoint());
}
} // namespace

TEST(ChordPhoto, OpaquePictureOfTheFixedSize)
{
    const QImage image = painter().render({X, 1, 0, 2, 3, X});
    EXPECT_EQ(image.size(), QSize(ChordPhotoPainter::kWidth, ChordPhotoPainter::kHeight));
    EXPECT_FALSE(image.hasAlphaChannel());
}

// Whether skin shows on the string's line anywhere inside the fret's space.
bool fingerInSpace(const QImage& image, int first, int string, int fret)
{
    const double y = ChordPhotoPainter::stringY(string);
    const double from = ChordPhotoPainter::fretWireX(first, fret - 1) + 3;
    const double to = ChordPhotoPainter::fretWireX(first, fret) - 3;
    for (double x = from; x < to; x += 1)
        if (isSkin(at(image, {x, y})))
            return true;
    return false;
}

TEST(ChordPhoto, FingertipsCoverEveryFrettedNote)
{
    const std::vector<FretPattern> voicings{
        {X, 1, 0, 2, 3, X},      // C at the nut
        {1, 1, 2, 3, 3, 1},      // F: barre and three fingers, two on one fret
        {0, 2, 2, 2, 0, X},      // A: three fingers on one fret
        {2, 3, 2, 0, X, X},      // D: a short barre over strings 1 to 3
        {X, 3, 0, 3, X, X},      // two fingers on one fret, an open string between
        {12, 13, 12, 14, 12, X}, // Am7 high up: barre over five strings
        {0, 10, 9, 0, X, X},     // open strings with notes high up
    };
    for (const auto& frets : voicings) {
        const QImage image = painter().render(frets);
        const int first = photos::firstFretShown(frets);
        for (const auto& finger : ChordPhotoPainter::placeFingers(frets)) {
            const QColor c = at(image, finger.press);
            EXPECT_TRUE(isSkin(c)) << c.name().toStdString();
        }
        for (int s = 1; s <= photos::kStrings; ++s) {
            const int f = frets[s - 1];
            if (f > 0) {
                EXPECT_TRUE(fingerInSpace(image, first, s, f))
                    << "string " << s << " fret " << f << " first " << first;
            }
        }
    }
}

TEST(ChordPhoto, FretsWithoutNotesShowBareNeck)
{
    // C: nothing on the top string anywhere, nothing at fret 6 on any string.
    const QImage image = painter().render({X, 1, 0, 2, 3, X});
    for (int f = 1; f <= 6; ++f)
        EXPECT_FALSE(fingerInSpace(image, 1, 6, f)) << f;
    for (int s = 1; s <= 6; ++s)
        EXPECT_FALSE(fingerInSpace(image, 1, s, 6)) << s;
}

TEST(ChordPhoto, FingersSharingAFretStandApart)
{
    // Strings 4 and 2 at fret 3 with the open string 3 between them: no barre,
    // two fingers, the upper one nearer the nut.
    const auto fingers = ChordPhotoPainter::placeFingers({X, 3, 0, 3, X, X});
    ASSERT_EQ(fingers.size(), 2u);
    EXPECT_EQ(fingers[0].press.y(), ChordPhotoPainter::stringY(4));
    EXPECT_EQ(fingers[1].press.y(), ChordPhotoPainter::stringY(2));
    EXPECT_LT(fingers[0].press.x() + fingers[0].width / 3, fingers[1].press.x());
}

TEST(ChordPhoto, OpenStringsRingedAndMutedStringsCrossed)
{
    const QImage image = painter().render({X, 1, 0, 2, 3, X});
    const QPointF open = ChordPhotoPainter::stringMarkPoint(3);
    const QColor ring = at(image, open + QPointF(8, 0));
    EXPECT_GT(ring.lightness(), 200) << ring.name().toStdString();
    for (int s : {1, 6}) {
        const QColor cross = at(image, ChordPhotoPainter::stringMarkPoint(s));
        EXPECT_GT(cross.red(), cross.green() + 60) << s << cross.name().toStdString();
    }
    // Fretted strings carry no mark.
    const QColor none = at(image, ChordPhotoPainter::stringMarkPoint(2) + QPointF(8, 0));
    EXPECT_LT(none.lightness(), 200);
}

TEST(ChordPhoto, BarreDrawnAsOneWideFingerFirst)
{
    const auto fingers = ChordPhotoPainter::placeFingers({1, 1, 2, 3, 3, 1});
    ASSERT_EQ(fingers.size(), 4u);
    EXPECT_GT(fingers[0].width, fingers[1].width);
    EXPECT_EQ(fingers[0].press, ChordPhotoPainter::notePoint(1, 6, 1));
    // The two fingers on fret 3 stand apart, the upper one nearer the nut.
    EXPECT_LT(fingers[1].press.x(), fingers[2].press.x());
    EXPECT_LT(fingers[1].press.y(), fingers[2].press.y());
}

TEST(ChordPhoto, BarreStopsShortOfAMutedString)
{
    // Cm7 8,x,8,8,8,x: no barre lies across the silent A string, and none on
    // strings 2 to 4 beside a finger on the low E at its own fret: the index
    // holds the low E, a finger each the strings 4 to 2, none drawn wide.
    const FretPattern cm7{X, 8, 8, 8, X, 8};
    const auto fingers = ChordPhotoPainter::placeFingers(cm7);
    ASSERT_EQ(fingers.size(), 4u);
    EXPECT_EQ(fingers[0].press.y(), ChordPhotoPainter::stringY(6));
    EXPECT_EQ(fingers[0].width, fingers[1].width);
    EXPECT_EQ(fingers[3].press.y(), ChordPhotoPainter::stringY(2));
}

TEST(ChordPhoto, EveryStemDrawsTheFingersOfTheFingeringModel)
{
    const auto records =
        catalogue::loadCatalogue(sourcePath("resources/catalogue.tsv"), [](const std::string&) {});
    const auto shapes = photos::distinctStems(*records, [](const std::string&) {});
    ASSERT_GT(shapes.size(), 2000u);
    for (const auto& shape : shapes) {
        const auto hand = catalogue::fingeringOf(shape.frets);
        const auto drawn = ChordPhotoPainter::placeFingers(shape.frets);
        EXPECT_EQ(drawn.size(), hand.fingers.size()) << shape.stem;
        EXPECT_LE(drawn.size(), 4u) << shape.stem;
        // The barre, where the model bars, is drawn first and wide, and
        // presses only strings held at or above its fret.
        if (hand.barre()) {
            const auto& barre = hand.fingers.front();
            for (int s = barre.fromString; s <= barre.toString; ++s)
                EXPECT_GE(shape.frets[static_cast<std::size_t>(s - 1)], barre.fret) << shape.stem;
            ASSERT_FALSE(drawn.empty());
            EXPECT_EQ(drawn.front().press,
                      ChordPhotoPainter::notePoint(photos::firstFretShown(shape.frets),
                                                   hand.fingers.front().toString,
                                                   hand.fingers.front().fret))
                << shape.stem;
        }
    }
}

TEST(ChordPhoto, WritesOneJpegPerStem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<photos::StemShape> shapes{{"DS1_0019", {X, 1, 0, 2, 3, X}},
                                          {"_DSC0011", {2, 3, 2, 0, X, X}}};
    std::vector<std::string> lines;
    const int failures = photos::writePhotos(painter(), shapes, dir.path(), 2,
                                             [&](const std::string& l) { lines.push_back(l); });
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(lines.empty());
    for (const auto& shape : shapes) {
        QImage back(QDir(dir.path()).filePath(QString::fromStdString(shape.stem) + ".jpg"));
        EXPECT_EQ(back.size(), QSize(ChordPhotoPainter::kWidth, ChordPhotoPainter::kHeight));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(ChordPhoto, UnwritableFolderIsLoggedNotReportedAsDone)
{
    std::vector<photos::StemShape> shapes{{"DS1_0019", {X, 1, 0, 2, 3, X}}};
    std::vector<std::string> lines;
    const int failures = photos::writePhotos(painter(), shapes, "/nonexistent/folder", 1,
                                             [&](const std::string& l) { lines.push_back(l); });
    EXPECT_EQ(failures, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("DS1_0019.jpg"), std::string::npos);
}

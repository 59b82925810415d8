// The fret marks, icons and instruction pictures: names, transparency, and the
// looks that tell the variants apart.
#include "tools/images/BundleImages.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QColor centre(const QImage& image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}
} // namespace

TEST(BundleImages, EveryPictureTransparentAroundADrawing)
{
    for (const auto& [name, image] : images::bundleImages()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(image.pixelColor(image.width() - 1, 0).alpha(), 0);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += image.pixelColor(x, y).alpha() > 200;
        EXPECT_GT(opaque, image.width() * image.height() / 50);
    }
}

TEST(BundleImages, RootMarkStandsApartFromTheFretMark)
{
    const QColor ball = centre(images::drawBall(false));
    const QColor root = centre(images::drawBall(true));
    EXPECT_EQ(ball.alpha(), 255);
    EXPECT_EQ(root.alpha(), 255);
    EXPECT_LT(std::abs(ball.red() - ball.green()), 40); // ivory
    EXPECT_GT(root.red(), root.green() + 100);          // red
}

TEST(BundleImages, FavouriteStarOutlinedOrFilled)
{
    EXPECT_LT(centre(images::drawFavouriteStar(false)).alpha(), 30);
    const QColor gold = images::drawFavouriteStar(true).pixelColor(32, 40);
    EXPECT_EQ(gold.alpha(), 255);
    EXPECT_GT(gold.red(), 200);
    EXPECT_LT(gold.blue(), 120);
}

TEST(BundleImages, SpeakerOffCarriesTheRedCross)
{
    auto reddish = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.alpha() > 200 && c.red() > c.green() + 80;
            }
        return count;
    };
    EXPECT_EQ(reddish(images::drawSpeaker(true)), 0);
    EXPECT_GT(reddish(images::drawSpeaker(false)), 50);
}

TEST(BundleImages, WritesEachNamedPng)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::string> lines;
    EXPECT_EQ(images::writeImages(dir.path(), [&](const std::string& l) { lines.push_back(l); }),
              0);
    EXPECT_TRUE(lines.empty());
    for (const char* name : {"Ball.png", "BallT.png", "icone-favorite.png",
                             "icone-favorite-set.png", "icone-audio-on-chord.png",
                             "icone-audio-off-chord.png", "instrucao-01.png", "instrucao-02.png"}) {
        QImage back(QDir(dir.path()).filePath(name));
        EXPECT_FALSE(back.isNull()) << name;
        EXPECT_TRUE(back.hasAlphaChannel()) << name;
    }
}

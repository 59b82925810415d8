// The fretboard picture the view loads from the bundle: the build-time drawing
// itself at each drawn ratio, a fitting drawing scaled down when the view is
// zoomed, and the plain background with a log line when the bundle lacks it.
#include "fretboard/FretboardPicture.h"
#include "platform/Bundle.h"
#include "platform/Images.h"
#include "platform/Log.h"
#include "tools/images/FretboardDrawing.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using fretboard::FretboardGeometry;
using fretboard::kPictureSize;

struct Difference {
    int largest = 0;
    double mean = 0;
};

// Per channel, over two pictures of one size.
Difference difference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    Difference d;
    long long sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            for (int delta : {qRed(p[col]) - qRed(q[col]), qGreen(p[col]) - qGreen(q[col]),
                              qBlue(p[col]) - qBlue(q[col])}) {
                d.largest = std::max(d.largest, std::abs(delta));
                sum += std::abs(delta);
            }
        }
    }
    d.mean = double(sum) / (3.0 * x.width() * x.height());
    return d;
}

TEST(FretboardPicture, LoadedPictureIsTheDrawingPixelForPixelAtEachRatio)
{
    platform::clearImageCache();
    const FretboardGeometry geometry(kPictureSize);
    for (int ratio : fretboard::kPictureRatios) {
        SCOPED_TRACE(ratio);
        const QImage loaded = fretboard::paintFretboardPicture(geometry, ratio);
        const QImage drawn = images::drawFretboard(geometry, ratio);
        ASSERT_EQ(loaded.size(), drawn.size());
        EXPECT_EQ(loaded.devicePixelRatio(), ratio);
        EXPECT_EQ(difference(loaded, drawn).largest, 0);
    }
}

TEST(FretboardPicture, ZoomedViewGetsASharpPictureOfItsSize)
{
    platform::clearImageCache();
    // A view half as large again, and one on a screen of ratio 1.25.
    const FretboardGeometry zoomed(QSizeF(kPictureSize) * 1.5);
    const QImage big = fretboard::paintFretboardPicture(zoomed, 1.0);
    ASSERT_EQ(big.size(), (kPictureSize * 1.5));
    EXPECT_EQ(big.devicePixelRatio(), 1.0);
    // Scaled down from a larger drawing it stays close to a drawing made at
    // that size (about 4 levels on average: the grain is laid out anew for
    // each size, so never equal); scaled up from the smaller drawing it would
    // be blurred to about 6.4.
    EXPECT_LT(difference(big, images::drawFretboard(zoomed, 1.0)).mean, 5.0);

    const FretboardGeometry designed(kPictureSize);
    const QImage fractional = fretboard::paintFretboardPicture(designed, 1.25);
    EXPECT_EQ(fractional.size(), (QSizeF(kPictureSize) * 1.25).toSize());
    EXPECT_EQ(fractional.devicePixelRatio(), 1.25);
}

TEST(FretboardPicture, MissingDrawingGivesTheBackgroundAndALogLine)
{
    const std::string bundle = platform::Bundle::main().directory();
    QTemporaryDir empty;
    platform::Bundle::setMainBundleDirectory(empty.path().toStdString());
    platform::clearImageCache();
    platform::LogCapture log;
    const QImage picture = fretboard::paintFretboardPicture(FretboardGeometry(kPictureSize), 2.0);
    platform::Bundle::setMainBundleDirectory(bundle);
    platform::clearImageCache();

    EXPECT_TRUE(log.contains("Imagem do braço ausente do bundle: braco@2x.ppm"));
    ASSERT_EQ(picture.size(), kPictureSize * 2);
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.pixel(0, 0), fretboard::kPictureBackground);
    EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2),
              fretboard::kPictureBackground);
}

} // namespace

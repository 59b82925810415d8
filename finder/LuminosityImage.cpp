#include "finder/LuminosityImage.h"

#include <cmath>

namespace finder {

QImage luminosityImage(const QImage& source)
{
    if (source.isNull())
        return {};
    const double ratio = source.devicePixelRatio();
    const int w = static_cast<int>(std::lround(source.width() / ratio));
    const int h = static_cast<int>(std::lround(source.height() / ratio));
    if (w <= 0 || h <= 0)
        return {};
    // One pixel per point: a high-density source is first brought down to its
    // size in points.
    QImage pixels = (w == source.width() && h == source.height())
                        ? source
                        : source.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixels = pixels.convertToFormat(QImage::Format_ARGB32);

    QImage result(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = in[x];
            const int lum = (30 * qRed(p) + 59 * qGreen(p) + 11 * qBlue(p) + 50) / 100;
            const int grey = (lum * qAlpha(p) + 127) / 255;
            out[x] = qRgb(grey, grey, grey);
        }
    }
    return result;
}

} // namespace finder

#include "finder/LuminosityImage.h"

#include <QtGlobal>

namespace finder {

QImage luminosityImage(const QImage& source)
{
    if (source.isNull())
        return {};
    // One pixel per point: a high-density source is brought down to its size in
    // points first.
    QImage pixels = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSize points = source.deviceIndependentSize().toSize();
    if (pixels.size() != points && !points.isEmpty())
        pixels = pixels.scaled(points, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixels.setDevicePixelRatio(1.0);

    // Premultiplied components are the source already laid over black, so the
    // light value of each is the blend's result.
    QImage result(pixels.size(), QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb p = in[x];
            const int light = (30 * qRed(p) + 59 * qGreen(p) + 11 * qBlue(p) + 50) / 100;
            out[x] = qRgb(light, light, light);
        }
    }
    return result;
}

} // namespace finder

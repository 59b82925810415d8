#include "fretboard/FretboardPicture.h"

#include "platform/Images.h"
#include "platform/Log.h"

#include <algorithm>

namespace fretboard {
namespace {

// The smallest drawn ratio with at least `scale` pixels per drawn pixel, so
// the picture is only ever scaled down; past the largest, the largest.
int ratioCovering(double scale)
{
    for (int ratio : kPictureRatios)
        if (ratio >= scale - 1e-6)
            return ratio;
    return kPictureRatios.back();
}

} // namespace

QImage paintFretboardPicture(const FretboardGeometry& geometry, double devicePixelRatio)
{
    const QSize pixels = (geometry.size() * devicePixelRatio).toSize().expandedTo(QSize(1, 1));
    const double scale = std::max(double(pixels.width()) / kPictureSize.width(),
                                  double(pixels.height()) / kPictureSize.height());
    const std::string name = pictureFileName(ratioCovering(scale));
    QImage picture = platform::imageNamed(name);
    if (picture.isNull()) {
        platform::log("Imagem do braço ausente do bundle: " + name);
        picture = QImage(pixels, QImage::Format_RGB32);
        picture.fill(kPictureBackground);
    } else if (picture.size() != pixels) {
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (picture.devicePixelRatio() != devicePixelRatio)
        picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

} // namespace fretboard

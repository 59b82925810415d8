#pragma once
// The thumbnail redraw: a chord photograph drawn again as an opaque grey-scale
// image of the same size in points, at one pixel per point. Each pixel keeps
// only the light value of the source, as the luminosity blend gives when the
// source is drawn over black.
#include <QImage>

namespace finder {

// A null source gives a null image.
QImage luminosityImage(const QImage& source);

} // namespace finder

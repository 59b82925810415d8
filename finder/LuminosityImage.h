#pragma once
// The thumbnail redraw: a chord photograph drawn with the luminosity blend
// onto an opaque black ground. Black has neither hue nor saturation, so the
// result keeps only the photograph's light and dark: a grey copy.
#include <QImage>

namespace finder {

// A new opaque grey image of the source's size in points, one pixel per
// point. Each pixel's grey is the source pixel's luminosity
// (0.30 R + 0.59 G + 0.11 B), weighted by its opacity over the black ground,
// so grey sources keep their levels exactly. The source is not changed. A
// null or empty source gives a null image.
QImage luminosityImage(const QImage& source);

} // namespace finder

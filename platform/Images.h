#pragma once
// Images by bundle name ("Ball.png", "DS1_0019.jpg"), decoded once and cached.
#include <QImage>
#include <QPixmap>
#include <string>

namespace platform {

// The image of the bundle resource with this file name; a null image when there
// is none. Main thread.
QImage imageNamed(const std::string& name);
QPixmap pixmapNamed(const std::string& name);

// Forgets every cached image (tests that change the bundle).
void clearImageCache();

} // namespace platform

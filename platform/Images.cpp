#include "platform/Images.h"

#include "platform/Bundle.h"

#include <QPixmapCache>
#include <unordered_map>

namespace platform {
namespace {
std::unordered_map<std::string, QImage>& cache()
{
    static std::unordered_map<std::string, QImage> images;
    return images;
}

QImage decodeNamed(const std::string& name)
{
    QImage image;
    // The largest picture of the bundle is a few hundred kilobytes.
    constexpr std::size_t maxImageBytes = 64 * 1024 * 1024;
    if (const auto bytes = Bundle::main().contentsOfResource(name, "", maxImageBytes))
        image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                           static_cast<int>(bytes->size()));
    return image;
}
} // namespace

QImage imageNamed(const std::string& name)
{
    auto& images = cache();
    if (auto it = images.find(name); it != images.end())
        return it->second;
    QImage image = decodeNamed(name);
    images.emplace(name, image);
    return image;
}

QPixmap pixmapNamed(const std::string& name)
{
    const QString key = QStringLiteral("bundle:") + QString::fromStdString(name);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        // Only the pixmap keeps the pixels: the image is not cached as well.
        const auto& images = cache();
        const auto it = images.find(name);
        pixmap = it != images.end() ? QPixmap::fromImage(it->second)
                                    : QPixmap::fromImage(decodeNamed(name));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

void clearImageCache()
{
    cache().clear();
    QPixmapCache::clear();
}

} // namespace platform

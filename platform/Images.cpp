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
    const auto bytes = Bundle::main().contentsOfResource(name, "", maxImageBytes);
    if (!bytes)
        return image;
    // The name's extension says the format, so no other decoder is loaded to
    // guess it; bytes it does not fit are still read by their content.
    const auto dot = name.rfind('.');
    const std::string format = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    const auto* data = reinterpret_cast<const uchar*>(bytes->data());
    const int size = static_cast<int>(bytes->size());
    if (format.empty() || !image.loadFromData(data, size, format.c_str()))
        image.loadFromData(data, size);
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

#include "finder/ChordPhotos.h"

#include "finder/LuminosityImage.h"
#include "platform/Bundle.h"

#include <QImageReader>

namespace finder {

QImage loadChordPhoto(const std::string& stem, QSize size)
{
    const auto path = platform::Bundle::main().pathForResource(stem, "jpg");
    if (!path)
        return {};
    QImageReader reader(QString::fromStdString(*path));
    const QSize full = reader.size();
    if (full.isValid() && size.isValid())
        reader.setScaledSize(full.scaled(size, Qt::KeepAspectRatio));
    return reader.read();
}

ThumbnailCache::ThumbnailCache(QSize size, bool grey, std::size_t capacity)
    : size_(size), grey_(grey), capacity_(capacity == 0 ? 1 : capacity)
{
}

QPixmap ThumbnailCache::thumbnail(const std::string& stem)
{
    if (auto it = index_.find(stem); it != index_.end()) {
        entries_.splice(entries_.begin(), entries_, it->second);
        return it->second->pixmap;
    }
    QImage image = loadChordPhoto(stem, size_);
    if (grey_ && !image.isNull())
        image = luminosityImage(image);
    entries_.push_front({stem, QPixmap::fromImage(image)});
    index_[stem] = entries_.begin();
    if (entries_.size() > capacity_) {
        index_.erase(entries_.back().stem);
        entries_.pop_back();
    }
    return entries_.front().pixmap;
}

void ThumbnailCache::clear()
{
    entries_.clear();
    index_.clear();
}

} // namespace finder

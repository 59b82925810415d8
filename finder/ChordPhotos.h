#pragma once
// Chord photographs from the bundle ("<Image>.jpg"), decoded on demand at the
// size they are shown at. Thumbnails are kept in a small cache of the most
// recently drawn ones: the photographs are never all decoded at once.
#include <QPixmap>
#include <QSize>
#include <list>
#include <string>
#include <unordered_map>

namespace finder {

// The photograph of a stem, decoded straight to fit `size` (aspect kept); a
// null image when the bundle has none. Nothing is kept.
QImage loadChordPhoto(const std::string& stem, QSize size);

class ThumbnailCache {
public:
    // Thumbnails of `size` pixels; at most `capacity` are kept. `grey` draws
    // them through luminosityImage.
    ThumbnailCache(QSize size, bool grey, std::size_t capacity = 300);

    // The thumbnail of a stem, decoded on first use; null when the bundle has
    // no photograph of that stem.
    QPixmap thumbnail(const std::string& stem);

    std::size_t size() const { return entries_.size(); }
    QSize thumbnailSize() const { return size_; }
    void clear();

private:
    struct Entry {
        std::string stem;
        QPixmap pixmap;
    };
    QSize size_;
    bool grey_;
    std::size_t capacity_;
    std::list<Entry> entries_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

} // namespace finder

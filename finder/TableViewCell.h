#pragma once
// How a table row is drawn. Text rows show their text in the row's font;
// photo rows show the chord photograph's thumbnail with the chord symbol
// beside it. Every row of a table has the same height.
#include "finder/ChordPhotos.h"

#include <QStyledItemDelegate>
#include <memory>

namespace finder {

class TableViewCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    // A text row of `rowHeight` pixels.
    explicit TableViewCell(int rowHeight, QObject* parent = nullptr);
    // A photo row: a thumbnail of `thumbnailSize` pixels (grey when `grey`),
    // which sets the row height, and the symbol beside it.
    TableViewCell(QSize thumbnailSize, bool grey, QObject* parent = nullptr);
    ~TableViewCell() override;

    // The photo rows' thumbnails; null for text rows.
    ThumbnailCache* thumbnails() const { return thumbnails_.get(); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int rowHeight_;
    std::unique_ptr<ThumbnailCache> thumbnails_;
};

} // namespace finder

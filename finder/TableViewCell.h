#pragma once
// How a table row is drawn. Text rows show their text in the row's font;
// photo rows show the chord photograph's thumbnail with the chord symbol
// beneath it, both centred. Every row of a table has the same height. A text wider than its
// place is cut with an ellipsis; the layouts give every table room enough
// for the longest text it shows.
#include "finder/ChordPhotos.h"

#include <QStyledItemDelegate>
#include <memory>

namespace finder {

class TableViewCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    // A text row of `rowHeight` pixels.
    explicit TableViewCell(int rowHeight, QObject* parent = nullptr);
    // A photo row: a thumbnail of `thumbnailSize` pixels (grey when `grey`)
    // and the symbol beneath it, which set the row height.
    TableViewCell(QSize thumbnailSize, bool grey, QObject* parent = nullptr);
    ~TableViewCell() override;

    // The photo rows' thumbnails; null for text rows.
    ThumbnailCache* thumbnails() const { return thumbnails_.get(); }

    // Where a row's text goes inside the row's rectangle.
    QRect textRect(const QRect& row) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintThumbnail(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const;

    int rowHeight_;
    std::unique_ptr<ThumbnailCache> thumbnails_;
};

} // namespace finder

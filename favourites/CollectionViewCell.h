#pragma once
// The cell of a chord photo grid ("myCell"): paints an item of the grid's
// model as its chord photograph with the chord symbol beneath, in the
// chord-symbol font at 24 points. On a pad (a desktop window counts as one)
// the photograph is shown through the luminosity redraw, in greys; on a phone
// it is shown as it is. Photographs are read when first painted, and their
// thumbnails kept in a small cache. An item with no record (asked past the
// end of the list) paints as an empty cell.
#include "finder/ChordPhotos.h"

#include <QStyledItemDelegate>
#include <memory>

namespace favourites {

class CollectionViewCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kWidth = 248;
    static constexpr int kHeight = 230;

    // Takes the device idiom as it is now for its thumbnails.
    explicit CollectionViewCell(QObject* parent = nullptr);
    ~CollectionViewCell() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where the chord symbol goes in a cell drawn in `cell`; a wider symbol
    // is cut with an ellipsis.
    static QRect titleRect(const QRect& cell);

    // The thumbnails of the photographs, by stem ("DS1_0019").
    finder::ThumbnailCache& thumbnails() const { return *thumbnails_; }

private:
    std::unique_ptr<finder::ThumbnailCache> thumbnails_;
};

} // namespace favourites

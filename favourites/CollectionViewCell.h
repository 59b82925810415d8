#pragma once
// The cell of a chord photo grid ("myCell"): paints an item of the grid's
// model as its chord photograph with the chord symbol beneath, in the
// chord-symbol font at 24 points. On a pad (a desktop window counts as one)
// the photograph is shown through the luminosity redraw, in greys; on a phone
// it is shown as it is. Photographs are read when first painted and their
// scaled thumbnails kept in a bounded cache. An item with no record (asked
// past the end of the list) paints as an empty cell.
#include <QPixmap>
#include <QStyledItemDelegate>

namespace favourites {

class CollectionViewCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kWidth = 248;
    static constexpr int kHeight = 230;

    explicit CollectionViewCell(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The thumbnail of the photograph with that stem ("DS1_0019"), fitted
    // into size: the luminosity redraw on a pad, the photograph elsewhere.
    // A null pixmap when the bundle has no such photograph.
    static QPixmap photoThumb(const QString& stem, const QSize& size);
};

} // namespace favourites

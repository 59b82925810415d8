#include "finder/TableViewCell.h"

#include "finder/ChordListModel.h"

#include <QApplication>
#include <QPainter>

namespace finder {
namespace {
constexpr int kPad = 6;
constexpr int kTitleHeight = 24; // the symbol's line beneath a thumbnail
} // namespace

TableViewCell::TableViewCell(int rowHeight, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight)
{
}

TableViewCell::TableViewCell(QSize thumbnailSize, bool grey, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(thumbnailSize.height() + kTitleHeight + 2 * kPad),
      thumbnails_(std::make_unique<ThumbnailCache>(thumbnailSize, grey))
{
}

TableViewCell::~TableViewCell() = default;

QSize TableViewCell::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    // No width of its own: the table makes every row as wide as its viewport.
    return {1, rowHeight_};
}

QRect TableViewCell::textRect(const QRect& row) const
{
    if (!thumbnails_)
        return row.adjusted(kPad, 0, -kPad, 0);
    return {row.left() + kPad, row.bottom() + 1 - kPad - kTitleHeight, row.width() - 2 * kPad,
            kTitleHeight};
}

void TableViewCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    // The style draws the row's background (hover, selection); the text is
    // drawn here, in the place textRect() gives it.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QString title = background.text;
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    if (thumbnails_)
        paintThumbnail(painter, option, index);

    painter->save();
    painter->setFont(background.font);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect place = textRect(option.rect);
    const Qt::Alignment alignment =
        thumbnails_ ? Qt::AlignCenter : Qt::AlignVCenter | Qt::AlignLeft;
    painter->drawText(place, alignment,
                      painter->fontMetrics().elidedText(title, Qt::ElideRight, place.width()));
    painter->restore();
}

void TableViewCell::paintThumbnail(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const QString stem = index.data(ChordListModel::ImageStemRole).toString();
    if (stem.isEmpty())
        return;
    const QPixmap thumb = thumbnails_->thumbnail(stem.toStdString());
    if (thumb.isNull())
        return;
    const QSize shown = thumb.size().scaled(thumbnails_->thumbnailSize(), Qt::KeepAspectRatio);
    const QPoint topLeft(option.rect.center().x() - shown.width() / 2, option.rect.top() + kPad);
    painter->drawPixmap(QRect(topLeft, shown), thumb);
}

} // namespace finder

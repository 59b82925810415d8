#include "finder/TableViewCell.h"

#include "finder/ChordListModel.h"

#include <QPainter>

namespace finder {
namespace {
constexpr int kPad = 6;
} // namespace

TableViewCell::TableViewCell(int rowHeight, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight)
{
}

TableViewCell::TableViewCell(QSize thumbnailSize, bool grey, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(thumbnailSize.height() + 2 * kPad),
      thumbnails_(std::make_unique<ThumbnailCache>(thumbnailSize, grey))
{
}

TableViewCell::~TableViewCell() = default;

QSize TableViewCell::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width() > 0 ? option.rect.width() : 100, rowHeight_};
}

void TableViewCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    if (!thumbnails_) {
        QStyleOptionViewItem padded = option;
        padded.rect.adjust(kPad, 0, 0, 0);
        QStyledItemDelegate::paint(painter, padded, index);
        return;
    }
    painter->save();
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, palette.color(QPalette::Highlight));
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(option.rect, palette.color(QPalette::AlternateBase));

    const QString stem = index.data(ChordListModel::ImageStemRole).toString();
    const QSize box = thumbnails_->thumbnailSize();
    const QRect photoRect(option.rect.left() + kPad, option.rect.top() + kPad, box.width(),
                          box.height());
    if (!stem.isEmpty()) {
        const QPixmap thumb = thumbnails_->thumbnail(stem.toStdString());
        if (!thumb.isNull()) {
            const QSize s = thumb.size().scaled(box, Qt::KeepAspectRatio);
            painter->drawPixmap(QRect(photoRect.topLeft(), s), thumb);
        }
    }
    const QVariant font = index.data(Qt::FontRole);
    if (font.isValid())
        painter->setFont(font.value<QFont>());
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = option.rect.adjusted(photoRect.width() + 2 * kPad + 4, 0, -kPad, 0);
    const QString title = index.data(Qt::DisplayRole).toString();
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                      painter->fontMetrics().elidedText(title, Qt::ElideRight, textRect.width()));
    painter->restore();
}

} // namespace finder

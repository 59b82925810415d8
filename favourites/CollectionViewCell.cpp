#include "favourites/CollectionViewCell.h"

#include "finder/ChordFont.h"
#include "finder/ChordListModel.h"
#include "platform/Fonts.h"
#include "platform/System.h"

#include <QPainter>
#include <QPainterPath>

namespace favourites {
namespace {
constexpr int kMargin = 6;
constexpr int kPadding = 8;
constexpr int kTitleHeight = 36;
constexpr int kPhotoWidth = CollectionViewCell::kWidth - 2 * (kMargin + kPadding);
constexpr int kPhotoHeight = CollectionViewCell::kHeight - 2 * (kMargin + kPadding) - kTitleHeight;

// The card's content: the cell less its margin and the card's padding.
QRect innerRect(const QRect& cell)
{
    const int inset = kMargin + kPadding;
    return cell.adjusted(inset, inset, -inset, -inset);
}
} // namespace

CollectionViewCell::CollectionViewCell(QObject* parent)
    : QStyledItemDelegate(parent),
      thumbnails_(std::make_unique<finder::ThumbnailCache>(
          QSize(kPhotoWidth, kPhotoHeight), platform::deviceIdiom() == platform::DeviceIdiom::Pad))
{
    setObjectName(QStringLiteral("myCell"));
}

CollectionViewCell::~CollectionViewCell() = default;

QRect CollectionViewCell::titleRect(const QRect& cell)
{
    const QRect inner = innerRect(cell);
    return {inner.left(), inner.top() + kPhotoHeight, inner.width(), kTitleHeight};
}

QSize CollectionViewCell::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {kWidth, kHeight};
}

void CollectionViewCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const QVariant title = index.data(Qt::DisplayRole);
    if (!title.isValid())
        return;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(option.rect).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const bool hover = option.state & QStyle::State_MouseOver;
    QPainterPath shape;
    shape.addRoundedRect(card, 10, 10);
    painter->fillPath(shape, hover ? QColor(48, 48, 54) : QColor(30, 30, 34));
    if (hover) {
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1.5));
        painter->drawPath(shape);
    }

    const QRect inner = innerRect(option.rect);
    const QRect photoArea(inner.left(), inner.top(), inner.width(), kPhotoHeight);
    const QPixmap thumb = thumbnails_->thumbnail(
        index.data(finder::ChordListModel::ImageStemRole).toString().toStdString());
    if (!thumb.isNull()) {
        const QRectF target(photoArea.left() + (photoArea.width() - thumb.width()) / 2.0,
                            photoArea.top() + (photoArea.height() - thumb.height()) / 2.0,
                            thumb.width(), thumb.height());
        QPainterPath rounded;
        rounded.addRoundedRect(target, 6, 6);
        painter->setClipPath(rounded);
        painter->drawPixmap(target.topLeft(), thumb);
        painter->setClipping(false);
    }

    const QRect titleArea = titleRect(option.rect);
    painter->setFont(platform::fontWithName(finder::kChordFont, finder::kGridFontSize));
    painter->setPen(option.palette.color(QPalette::Text));
    const QString text =
        painter->fontMetrics().elidedText(title.toString(), Qt::ElideRight, titleArea.width());
    painter->drawText(titleArea, Qt::AlignCenter, text);
    painter->restore();
}

} // namespace favourites

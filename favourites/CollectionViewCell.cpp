#include "favourites/CollectionViewCell.h"

#include "favourites/ChordGridModel.h"
#include "finder/LuminosityImage.h"
#include "platform/Fonts.h"
#include "platform/Images.h"
#include "platform/System.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace favourites {
namespace {
constexpr int kMargin = 6;
constexpr int kPadding = 8;
constexpr int kTitleHeight = 36;
} // namespace

CollectionViewCell::CollectionViewCell(QObject* parent) : QStyledItemDelegate(parent)
{
    setObjectName(QStringLiteral("myCell"));
}

QSize CollectionViewCell::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {kWidth, kHeight};
}

QPixmap CollectionViewCell::photoThumb(const QString& stem, const QSize& size)
{
    const bool pad = platform::deviceIdiom() == platform::DeviceIdiom::Pad;
    const QString key = QStringLiteral("myCell:%1:%2:%3x%4")
                            .arg(stem, pad ? QStringLiteral("luminosity") : QStringLiteral("photo"))
                            .arg(size.width())
                            .arg(size.height());
    QPixmap thumb;
    if (QPixmapCache::find(key, &thumb))
        return thumb;
    QImage photo = platform::imageNamed(stem.toStdString() + ".jpg");
    if (pad)
        photo = finder::luminosityImage(photo);
    if (photo.isNull())
        return {};
    thumb = QPixmap::fromImage(photo.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QPixmapCache::insert(key, thumb);
    return thumb;
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

    const QRect inner = card.toRect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const QRect photoArea(inner.left(), inner.top(), inner.width(), inner.height() - kTitleHeight);
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap thumb =
        photoThumb(index.data(ChordGridModel::PhotoStemRole).toString(), photoArea.size() * scale);
    if (!thumb.isNull()) {
        thumb.setDevicePixelRatio(scale);
        const QSizeF shown = thumb.deviceIndependentSize();
        const QRectF target(photoArea.left() + (photoArea.width() - shown.width()) / 2.0,
                            photoArea.top() + (photoArea.height() - shown.height()) / 2.0,
                            shown.width(), shown.height());
        QPainterPath rounded;
        rounded.addRoundedRect(target, 6, 6);
        painter->setClipPath(rounded);
        painter->drawPixmap(target.topLeft(), thumb);
        painter->setClipping(false);
    }

    const QRect titleArea(inner.left(), photoArea.bottom() + 1, inner.width(), kTitleHeight);
    painter->setFont(platform::fontWithName("OpusChordsStd", 24.0));
    painter->setPen(option.palette.color(QPalette::Text));
    const QString text =
        painter->fontMetrics().elidedText(title.toString(), Qt::ElideRight, titleArea.width());
    painter->drawText(titleArea, Qt::AlignCenter, text);
    painter->restore();
}

} // namespace favourites

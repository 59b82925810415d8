#include "fretboard/FretboardView.h"

#include "fretboard/FretboardGeometry.h"
#include "fretboard/FretboardPicture.h"
#include "fretboard/model/FretTag.h"
#include "platform/Button.h"

#include <QPainter>

#include <algorithm>

namespace fretboard {
namespace {

std::size_t indexOf(Position position)
{
    return static_cast<std::size_t>(position.string - 1) * kPositionsPerString +
           static_cast<std::size_t>(position.fret);
}

QString labelStyle(int pixelSize)
{
    return QStringLiteral("QLabel { color: #f4e9cf; background: #2c2c2e; border: 1px solid #4a4a4e;"
                          " border-radius: %1px; font-weight: bold; font-size: %2px; }")
        .arg(std::max(2, pixelSize / 3))
        .arg(pixelSize);
}

} // namespace

FretboardView::FretboardView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int fret = kOpenString; fret <= kLastFret; ++fret) {
        for (int string = kHighEString; string <= kLowEString; ++string) {
            const Position position{string, fret};
            auto* button = new platform::Button(this);
            button->setObjectName(QString::fromStdString(positionName(position)));
            button->setTag(static_cast<int>(tagForPosition(position)));
            button->setBorderless(true);
            button->setFocusPolicy(Qt::NoFocus);
            button->setCursor(Qt::PointingHandCursor);
            buttons_[indexOf(position)] = button;
        }
    }
    for (int string = kHighEString; string <= kLowEString; ++string) {
        auto* label = new QLabel(QStringLiteral(" "), this);
        label->setObjectName(QStringLiteral("cdr%1").arg(string));
        label->setAlignment(Qt::AlignCenter);
        labels_[static_cast<std::size_t>(string - 1)] = label;
    }
    resize(sizeHint());
    placeChildren();
}

void FretboardView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    picture_ = QImage();
    placeChildren();
}

void FretboardView::placeChildren()
{
    const FretboardGeometry geometry(size());
    for (int string = kHighEString; string <= kLowEString; ++string) {
        for (int fret = kOpenString; fret <= kLastFret; ++fret) {
            const Position position{string, fret};
            buttons_[indexOf(position)]->setGeometry(geometry.buttonRect(position).toRect());
        }
        QLabel* label = labels_[static_cast<std::size_t>(string - 1)];
        const QRect area = geometry.labelRect(string).toRect();
        label->setGeometry(area);
        label->setStyleSheet(labelStyle(std::max(7, area.height() * 11 / 20)));
    }
}

void FretboardView::paintEvent(QPaintEvent*)
{
    const double ratio = devicePixelRatioF();
    if (picture_.isNull() || picture_.devicePixelRatio() != ratio)
        picture_ = paintFretboardPicture(FretboardGeometry(size()), ratio);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), picture_);
}

platform::Button* FretboardView::button(Position position) const
{
    return buttons_[indexOf(position)];
}

QLabel* FretboardView::label(int string) const
{
    return labels_[static_cast<std::size_t>(string - 1)];
}

} // namespace fretboard

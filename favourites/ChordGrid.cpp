#include "favourites/ChordGrid.h"

namespace favourites {

catalogue::FretPattern chordFretsOf(const catalogue::Acorde& record)
{
    return catalogue::FretPattern::of(record).value_or(catalogue::FretPattern{});
}

ChordGrid::ChordGrid(QAbstractItemView* view, fretboard::SampleBank& bank, QObject* parent)
    : QObject(parent), model_(new ChordGridModel(view ? static_cast<QObject*>(view) : this)),
      view_(view), bank_(bank)
{
    if (!view)
        return;
    view->setModel(model_);
    view->setItemDelegate(new CollectionViewCell(view));
    view->setMouseTracking(true);
    connect(view, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { didSelectItem(index.row()); });
}

void ChordGrid::setList(catalogue::ChordListRef list)
{
    if (model_)
        model_->setList(std::move(list));
}

void ChordGrid::reloadData()
{
    if (model_)
        model_->reloadData();
}

void ChordGrid::didSelectItem(int row)
{
    if (!model_)
        return;
    if (const catalogue::AcordeRef record = model_->recordAt(row))
        bank_.playChord(chordFretsOf(*record));
}

} // namespace favourites

#include "favourites/ChordGrid.h"

#include "favourites/CollectionViewCell.h"
#include "finder/ChordFinder.h"

namespace favourites {

ChordGrid::ChordGrid(QAbstractItemView* view, fretboard::SampleBank& bank)
    : QObject(view), model_(new finder::ChordListModel(view)), bank_(bank)
{
    view->setModel(model_);
    view->setItemDelegate(new CollectionViewCell(view));
    view->setMouseTracking(true);
    // A thin frame round the grid, lit in the accent colour while the grid
    // has the keyboard focus.
    view->setStyleSheet(view->styleSheet() +
                        QStringLiteral("QAbstractItemView { border: 1px solid transparent;"
                                       " border-radius: 6px; }"
                                       "QAbstractItemView:focus { border-color: #e8a030; }"));
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
        model_->reload();
}

void ChordGrid::didSelectItem(int row)
{
    if (!model_)
        return;
    if (const catalogue::AcordeRef record = model_->recordAt(row))
        bank_.playChord(finder::fretsOf(*record));
}

} // namespace favourites

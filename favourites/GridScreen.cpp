#include "favourites/GridScreen.h"

namespace favourites {

GridScreen::GridScreen(std::shared_ptr<platform::AudioEngine> engine) : bank_(std::move(engine)) {}

GridScreen::~GridScreen()
{
    // The view goes later than this screen; its grid must not sound a bank
    // that is gone.
    delete grid_.data();
}

void GridScreen::setFilteredTableData(catalogue::ChordListRef list)
{
    filteredTableData_ = std::move(list);
    if (grid_)
        grid_->setList(filteredTableData_);
}

void GridScreen::setAllTableData(catalogue::ChordListRef list)
{
    allTableData_ = std::move(list);
}

void GridScreen::collectionViewDidSelectItem(int row)
{
    if (grid_)
        grid_->didSelectItem(row);
}

void GridScreen::showGridIn(QAbstractItemView* view)
{
    grid_ = new ChordGrid(view, bank_);
    grid_->setList(filteredTableData_);
}

} // namespace favourites

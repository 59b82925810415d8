#include "favourites/GridScreen.h"

namespace favourites {

GridScreen::GridScreen(std::string layoutName, std::shared_ptr<platform::AudioEngine> engine)
    : platform::ViewController(std::move(layoutName)), bank(std::move(engine))
{
}

GridScreen::~GridScreen() = default;

void GridScreen::setFilteredTableData(catalogue::ChordListRef list)
{
    filteredTableData = std::move(list);
    if (grid_)
        grid_->setList(filteredTableData);
}

void GridScreen::setAllTableData(catalogue::ChordListRef list) { allTableData = std::move(list); }

void GridScreen::collectionViewDidSelectItem(int row)
{
    if (grid_)
        grid_->didSelectItem(row);
}

void GridScreen::showGridIn(QAbstractItemView* view)
{
    grid_ = std::make_unique<ChordGrid>(view, bank);
    grid_->setList(filteredTableData);
}

} // namespace favourites

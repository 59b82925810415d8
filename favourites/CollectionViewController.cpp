#include "favourites/CollectionViewController.h"

#include "platform/Bundle.h"

#include <QAbstractButton>

namespace favourites {

CollectionViewController::CollectionViewController(std::shared_ptr<platform::AudioEngine> engine)
    : platform::ViewController("CollectionViewController"), bank(std::move(engine))
{
}

CollectionViewController::~CollectionViewController() = default;

void CollectionViewController::setFilteredTableData(catalogue::ChordListRef list)
{
    filteredTableData = std::move(list);
    if (grid_)
        grid_->setList(filteredTableData);
}

void CollectionViewController::setAllTableData(catalogue::ChordListRef list)
{
    allTableData = std::move(list);
}

void CollectionViewController::viewDidLoad()
{
    platform::ViewController::viewDidLoad();
    collectionView = outlet<QListView>("collectionView");
    grid_ = std::make_unique<ChordGrid>(collectionView.data(), bank);
    grid_->setList(filteredTableData);
    // The way back to the main screen.
    if (auto* back = outlet<QAbstractButton>("buttonVoltar"))
        connect(back, &QAbstractButton::clicked, this, [this] { dismissViewController(); });
    bank.loadForGridScreen(platform::Bundle::main());
}

void CollectionViewController::collectionViewDidSelectItem(int row)
{
    if (grid_)
        grid_->didSelectItem(row);
}

} // namespace favourites

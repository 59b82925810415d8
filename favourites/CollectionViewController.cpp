#include "favourites/CollectionViewController.h"

#include "platform/Bundle.h"

#include <QAbstractButton>

namespace favourites {

CollectionViewController::CollectionViewController(std::shared_ptr<platform::AudioEngine> engine)
    : GridScreen("CollectionViewController", std::move(engine))
{
}

CollectionViewController::~CollectionViewController() = default;

void CollectionViewController::viewDidLoad()
{
    GridScreen::viewDidLoad();
    collectionView = outlet<QListView>("collectionView");
    showGridIn(collectionView.data());
    // The way back to the main screen.
    if (auto* back = outlet<QAbstractButton>("buttonVoltar"))
        connect(back, &QAbstractButton::clicked, this, [this] { dismissViewController(); });
    bank.loadForGridScreen(platform::Bundle::main());
}

} // namespace favourites

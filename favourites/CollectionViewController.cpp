#include "favourites/CollectionViewController.h"

#include "platform/Bundle.h"
#include "ui_CollectionViewController.h"

namespace favourites {

CollectionViewController::CollectionViewController(std::shared_ptr<platform::AudioEngine> engine)
    : GridScreen(std::move(engine)), ui_(std::make_unique<Ui::CollectionViewController>())
{
}

CollectionViewController::~CollectionViewController() = default;

QWidget* CollectionViewController::loadView()
{
    auto* view = new QWidget;
    ui_->setupUi(view);
    showGridIn(ui_->collectionView);
    // The way back to the main screen.
    connect(ui_->buttonVoltar, &QAbstractButton::clicked, this,
            [this] { dismissViewController(); });
    return view;
}

void CollectionViewController::viewDidLoad()
{
    GridScreen::viewDidLoad();
    bank().loadForGridScreen(platform::Bundle::main());
}

} // namespace favourites

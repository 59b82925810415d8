#pragma once
// The chord grid screen: the chord list handed over by the main screen shown
// as a grid of chord photographs, a tapped chord sounding on the screen's own
// sample bank. No saved lists and nothing passed back.
#include "catalogue/Acorde.h"
#include "favourites/ChordGrid.h"
#include "finder/ChordListReceiver.h"
#include "fretboard/SampleBank.h"
#include "platform/ViewController.h"

#include <QListView>
#include <QPointer>
#include <memory>

namespace favourites {

class CollectionViewController : public platform::ViewController, public finder::ChordListReceiver {
    Q_OBJECT
public:
    explicit CollectionViewController(
        std::shared_ptr<platform::AudioEngine> engine = platform::AudioEngine::shared());
    ~CollectionViewController() override;

    // The hand-over: the very lists of the main screen, kept as they come.
    void setFilteredTableData(catalogue::ChordListRef list) override;
    void setAllTableData(catalogue::ChordListRef list) override;

    // Sets up the grid and loads the screen's own sample bank.
    void viewDidLoad() override;

    // A tap on a grid item.
    void collectionViewDidSelectItem(int row);

    catalogue::ChordListRef filteredTableData;
    catalogue::ChordListRef allTableData; // held, never read
    QPointer<QListView> collectionView;
    fretboard::SampleBank bank; // nC1C0 .. nC6C15

    ChordGrid* grid() const { return grid_.get(); }

private:
    std::unique_ptr<ChordGrid> grid_;
};

} // namespace favourites

#pragma once
// What both grid screens share: the main screen's lists taken over by the
// hand-over, the chord photo grid showing the favourites list, and the
// screen's own sample bank that a tapped chord sounds on.
#include "catalogue/Acorde.h"
#include "favourites/ChordGrid.h"
#include "finder/ChordListReceiver.h"
#include "fretboard/SampleBank.h"
#include "platform/ViewController.h"

#include <QAbstractItemView>
#include <memory>
#include <string>

namespace favourites {

class GridScreen : public platform::ViewController, public finder::ChordListReceiver {
    Q_OBJECT
public:
    GridScreen(std::string layoutName, std::shared_ptr<platform::AudioEngine> engine);
    ~GridScreen() override;

    // The hand-over: the very lists of the main screen, kept as they come.
    void setFilteredTableData(catalogue::ChordListRef list) override;
    void setAllTableData(catalogue::ChordListRef list) override;

    // A tap on a grid item.
    void collectionViewDidSelectItem(int row);

    ChordGrid* grid() const { return grid_.get(); }

    catalogue::ChordListRef allTableData;
    catalogue::ChordListRef filteredTableData;
    fretboard::SampleBank bank; // nC1C0 .. nC6C15

protected:
    // Shows filteredTableData as the grid in the layout's collection view.
    void showGridIn(QAbstractItemView* view);

private:
    std::unique_ptr<ChordGrid> grid_;
};

} // namespace favourites

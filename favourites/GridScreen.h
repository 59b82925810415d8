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
#include <QPointer>
#include <memory>

namespace favourites {

class GridScreen : public platform::ViewController, public finder::ChordListReceiver {
    Q_OBJECT
public:
    explicit GridScreen(std::shared_ptr<platform::AudioEngine> engine);
    ~GridScreen() override;

    // The hand-over: the very lists of the main screen, kept as they come.
    void setFilteredTableData(catalogue::ChordListRef list) override;
    void setAllTableData(catalogue::ChordListRef list) override;
    const catalogue::ChordListRef& filteredTableData() const { return filteredTableData_; }
    const catalogue::ChordListRef& allTableData() const { return allTableData_; }

    // A tap on a grid item.
    void collectionViewDidSelectItem(int row);

    // The grid, once the view is loaded; the 96 players nC1C0 .. nC6C15.
    ChordGrid* grid() const { return grid_; }
    fretboard::SampleBank& bank() { return bank_; }

protected:
    // Shows filteredTableData as the grid in the layout's collection view.
    void showGridIn(QAbstractItemView* view);

private:
    catalogue::ChordListRef allTableData_;
    catalogue::ChordListRef filteredTableData_;
    fretboard::SampleBank bank_;
    // Owned by the collection view, which the bank outlives.
    QPointer<ChordGrid> grid_;
};

} // namespace favourites

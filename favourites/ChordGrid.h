#pragma once
// The chord photo grid that both grid screens carry: a chord list shown in the
// screen's collection view as "myCell" cells, and a tapped cell's chord
// sounded on the screen's sample bank. A tap neither marks the item nor
// changes the list or its records.
#include "catalogue/Acorde.h"
#include "finder/ChordListModel.h"
#include "fretboard/SampleBank.h"

#include <QAbstractItemView>
#include <QObject>
#include <QPointer>

namespace favourites {

class ChordGrid : public QObject {
    Q_OBJECT
public:
    // Shows the grid in `view`, which owns the model and cells, and sounds
    // taps on `bank`, which must outlive the grid.
    ChordGrid(QAbstractItemView* view, fretboard::SampleBank& bank);

    void setList(catalogue::ChordListRef list);
    // The collection view's reload: count and cells are asked for again.
    void reloadData();
    // A tap on item row: sounds its record's chord. An item past the end of
    // the list as it is now sounds nothing.
    void didSelectItem(int row);

    finder::ChordListModel* model() const { return model_; }

private:
    QPointer<finder::ChordListModel> model_;
    fretboard::SampleBank& bank_;
};

} // namespace favourites

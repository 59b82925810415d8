#pragma once
// The chord photo grid that both grid screens carry: their chord list shown in
// a list view as "myCell" cells, and a tapped cell's chord sounded on the
// screen's own sample bank. The tap neither marks the item nor changes the
// list or its records.
#include "catalogue/Acorde.h"
#include "favourites/ChordGridModel.h"
#include "favourites/CollectionViewCell.h"
#include "fretboard/SampleBank.h"

#include <QAbstractItemView>
#include <QObject>
#include <QPointer>

namespace favourites {

// The fret pattern of a record; one with a text that is no fret text plays
// nothing.
catalogue::FretPattern chordFretsOf(const catalogue::Acorde& record);

class ChordGrid : public QObject {
    Q_OBJECT
public:
    // Shows the grid in view (the screen's collection view, laid out by its
    // layout file) and sounds taps on bank, which outlives the grid.
    ChordGrid(QAbstractItemView* view, fretboard::SampleBank& bank, QObject* parent = nullptr);

    void setList(catalogue::ChordListRef list);
    // The collection view's reload: count and cells are asked for again.
    void reloadData();

    // A tap on item row: sounds its record's chord. An item past the end of
    // the list as it is now sounds nothing.
    void didSelectItem(int row);

    ChordGridModel* model() const { return model_; }
    QAbstractItemView* view() const { return view_; }

private:
    // Owned by the view (or by the grid when there is none), so the view
    // never keeps a model or cell that is gone.
    QPointer<ChordGridModel> model_;
    QPointer<QAbstractItemView> view_;
    fretboard::SampleBank& bank_;
};

} // namespace favourites

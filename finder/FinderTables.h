#pragma once
// The main screen's five tables over the chord finder: roots and types from
// its vocabularies, the chord and photo tables following its shown list, the
// favourites table following its favourites, each with its row cells. The
// models belong to their tables and hold the lists, never the screen.
#include "finder/ChordFinder.h"
#include "finder/TableView.h"

#include <functional>

namespace finder {

struct FinderTables {
    TableView* roots;      // tableViewTonica
    TableView* types;      // tableViewTipo
    TableView* chords;     // tableViewCifras
    TableView* photos;     // tableViewFotos
    TableView* favourites; // tableViewFav
};

// Row choices are reported to `onSelect` while `context` lives.
void showFinderTables(const FinderTables& tables, ChordFinder& finder, QObject* context,
                      const std::function<void(TableView*, int row)>& onSelect);

} // namespace finder

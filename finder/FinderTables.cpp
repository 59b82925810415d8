#include "finder/FinderTables.h"

#include "finder/ChordFont.h"
#include "finder/ChordListModel.h"
#include "finder/TableViewCell.h"
#include "platform/Fonts.h"
#include "platform/System.h"

namespace finder {
namespace {

// A chord-list model on `table` that takes `listOf(finder)` whenever the
// finder sends `changed`.
template <class ListOf>
ChordListModel* followingModel(TableView* table, const QFont& font, ChordFinder& finder,
                               void (ChordFinder::*changed)(), ListOf listOf)
{
    auto* model = new ChordListModel(table, font);
    QObject::connect(&finder, changed, model,
                     [model, &finder, listOf] { model->setList(listOf(finder)); });
    model->setList(listOf(finder));
    return model;
}

} // namespace

void showFinderTables(const FinderTables& tables, ChordFinder& finder, QObject* context,
                      const std::function<void(TableView*, int row)>& onSelect)
{
    const QFont tableFont = platform::fontWithName(kChordFont, kTableFontSize);
    const QFont smallFont = platform::fontWithName(kChordFont, kSmallTableFontSize);
    const auto shown = [](const ChordFinder& f) { return f.shownList(); };
    const auto favourites = [](const ChordFinder& f) { return f.filteredFavorite(); };

    tables.roots->setModel(new TextListModel(finder.tonicas(), tableFont, tables.roots));
    tables.roots->setItemDelegate(new TableViewCell(34, tables.roots));
    tables.types->setModel(new TextListModel(finder.tipos(), tableFont, tables.types));
    tables.types->setItemDelegate(new TableViewCell(34, tables.types));
    tables.chords->setModel(
        followingModel(tables.chords, tableFont, finder, &ChordFinder::shownListChanged, shown));
    tables.chords->setItemDelegate(new TableViewCell(34, tables.chords));
    tables.favourites->setModel(followingModel(tables.favourites, smallFont, finder,
                                               &ChordFinder::favouritesChanged, favourites));
    tables.favourites->setItemDelegate(new TableViewCell(30, tables.favourites));
    tables.photos->setModel(
        followingModel(tables.photos, smallFont, finder, &ChordFinder::shownListChanged, shown));
    // Thumbnails are grey on a pad, as the desktop counts.
    const bool grey = platform::deviceIdiom() == platform::DeviceIdiom::Pad;
    tables.photos->setItemDelegate(new TableViewCell(QSize(96, 72), grey, tables.photos));
    for (TableView* table :
         {tables.roots, tables.types, tables.chords, tables.photos, tables.favourites})
        QObject::connect(table, &TableView::didSelectRow, context,
                         [onSelect, table](int row) { onSelect(table, row); });
}

} // namespace finder

// Both grid screens show every chord symbol whole under its photograph, at
// the grid's font, in the cells their collection views lay out.
#include "FavouritesFixture.h"

#include "favourites/CollectionViewCell.h"
#include "favourites/CollectionViewController.h"
#include "favourites/FavViewController.h"
#include "finder/ChordFont.h"
#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QListView>

#include <set>

namespace {

// The grid's symbols wider than the title place of its first cell.
std::vector<std::string> symbolsCutIn(QListView* grid)
{
    const QFont font = platform::fontWithName(finder::kChordFont, finder::kGridFontSize);
    const QFontMetrics metrics(font);
    const int room =
        favourites::CollectionViewCell::titleRect(grid->visualRect(grid->model()->index(0, 0)))
            .width();
    std::set<std::string> cut;
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        const QString symbol = grid->model()->index(row, 0).data().toString();
        if (const int width = metrics.horizontalAdvance(symbol); width > room)
            cut.insert('"' + symbol.toStdString() + "\" " + std::to_string(width) + " > " +
                       std::to_string(room) + " px");
    }
    return {cut.begin(), cut.end()};
}

} // namespace

class GridNames : public favtest::ScratchDataFolder {};

TEST_F(GridNames, EverySymbolShowsWholeInBothGrids)
{
    auto engine = std::make_shared<platform::AudioEngine>();
    favourites::FavViewController favScreen(engine);
    favourites::CollectionViewController gridScreen(engine);
    const std::pair<platform::ViewController*, const char*> screens[] = {
        {&favScreen, "collection"}, {&gridScreen, "collectionView"}};
    for (auto [screen, gridName] : screens) {
        dynamic_cast<favourites::GridScreen&>(*screen).setFilteredTableData(
            favtest::catalogueList());
        screen->view()->resize(1164, 800);
        screen->view()->show();
        QListView* grid = screen->outlet<QListView>(gridName);
        ASSERT_NE(grid, nullptr) << gridName;
        ASSERT_EQ(grid->model()->rowCount(), 4957) << gridName;
        EXPECT_EQ(symbolsCutIn(grid), std::vector<std::string>{}) << gridName;
    }
}

// The chord finder's favourites on QtCore alone: this binary links the finder
// with no widget library and makes no application object.
#include "finder/ChordFinder.h"
#include "finder/FavouriteList.h"

#include <gtest/gtest.h>

using catalogue::ChordList;

namespace {
catalogue::AcordeRef chord(const std::string& id, const std::string& cifra)
{
    return std::make_shared<catalogue::Acorde>(id, id, "C ", " . ", "Maior", " ", cifra, "img" + id,
                                               " ", "1", "0", "2", "3", " ", " ", " ");
}
} // namespace

TEST(FavouriteList, HoldsEachRecordOnceInTheOrderOfFirstArrival)
{
    const auto c = chord("1", "C"), am = chord("2", "Am"), g = chord("3", "G");
    ChordList favourites{am};
    EXPECT_TRUE(finder::addFavourite(favourites, c));
    EXPECT_FALSE(finder::addFavourite(favourites, am));
    EXPECT_FALSE(finder::addFavourite(favourites, nullptr));
    finder::addFavourites(favourites, {g, c, g, nullptr, am});
    EXPECT_EQ(favourites, (ChordList{am, c, g}));
}

TEST(FinderOnCore, ImportedThenMarkedChordIsListedOnce)
{
    const auto c = chord("1", "C"), am = chord("2", "Am");
    finder::ChordFinder finder;
    finder.start(std::make_shared<ChordList>(ChordList{c, am}));
    finder.lerCifras("<b>Am</b><b>C</b><b>Am</b>");
    finder.selectChord(1);
    finder.SetFavorite();
    EXPECT_EQ(am->Fav, "*");
    EXPECT_EQ(am->FavOrder, "001");
    EXPECT_EQ(*finder.filteredFavorite(), (ChordList{am, c}));
}

// Choosing roots and types, categories, the favourites filter, the search
// and the fret-pattern filter, on the finder alone.
#include "MainScreenFixture.h"
#include "catalogue/Vocabularies.h"

using catalogue::Acorde;
using catalogue::beginsWith;

TEST_F(Finder, RootAndTypeRowsFilterAndCount)
{
    chooseRoot("C ");
    EXPECT_TRUE(finder.isFiltered());
    EXPECT_EQ(shown().size(), 261u);
    EXPECT_EQ(counts, std::vector<int>{261});

    chooseType("m7 ");
    EXPECT_EQ(finder.typeText(), " m7 ");
    const std::size_t cm7 = countInCatalogue(
        [](const Acorde& c) { return c.Tonica == "C " && beginsWith(c.Tipo, " m7 "); });
    EXPECT_EQ(shown().size(), cm7);
    EXPECT_EQ(counts.back(), static_cast<int>(cm7));
    for (const auto& chord : shown())
        EXPECT_EQ(chord->Tipo, " m7 ");

    chooseRoot("*");
    chooseType("m ");
    EXPECT_EQ(shown().size(), 376u);
    chooseType("6/");
    EXPECT_EQ(shown().size(), 114u);
    chooseRoot("C# ");
    chooseType("m triad ");
    EXPECT_EQ(shown().size(), 0u);
    EXPECT_EQ(counts.back(), 0);

    chooseType("*");
    chooseRoot("*");
    EXPECT_EQ(finder.filteredTableData(), finder.allTableData());
    EXPECT_EQ(finder.rootText(), "*");
    EXPECT_EQ(counts.back(), 4957);
    // Rows past the end change nothing and count nothing.
    const std::size_t announced = counts.size();
    finder.selectRoot(18);
    finder.selectType(-1);
    EXPECT_EQ(counts.size(), announced);
}

TEST_F(Finder, ChordRowShowsTheChordAndLeavesTheListAlone)
{
    chooseRoot("D ");
    const auto record = shown()[2];
    const auto listBefore = finder.filteredTableData();
    int shownChords = 0;
    QObject::connect(&finder, &finder::ChordFinder::chordShown, [&] { ++shownChords; });
    finder.selectChord(2);
    EXPECT_EQ(shownChords, 1);
    EXPECT_EQ(finder.rootText(), "D ");
    EXPECT_EQ(finder.indexFav(), 2);
    EXPECT_EQ(finder.chordOnDisplay(), record);
    EXPECT_EQ(finder.fretLabels(), findertest::frets({record->C1, record->C2, record->C3,
                                                      record->C4, record->C5, record->C6}));
    EXPECT_FALSE(finder.favouriteOn());
    EXPECT_EQ(finder.filteredTableData(), listBefore);
    // A type row now combines with the chord's root.
    chooseType("7 ");
    for (const auto& chord : shown())
        EXPECT_EQ(chord->Tonica, "D ");
    // Rows past the end change nothing.
    finder.selectChord(100000);
    finder.selectChord(-1);
    EXPECT_EQ(finder.chordOnDisplay(), record);
    EXPECT_EQ(shownChords, 1);
}

TEST_F(Finder, CategoriesNarrowTheFilteredListAndTheCountStays)
{
    chooseRoot("C ");
    finder.setFilterCateg("menor");
    const std::size_t minor = countInCatalogue(
        [](const Acorde& c) { return c.Tonica == "C " && c.Categoria == "menor"; });
    EXPECT_EQ(shown().size(), minor);
    EXPECT_EQ(finder.filteredTableData(), finder.filteredTableDataType());
    finder.setFilterCateg("Maior");
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(counts, std::vector<int>{261}); // the count does not follow

    chooseRoot("*");
    finder.setFilterCateg("MAIOR"); // ASCII case ignored
    EXPECT_EQ(shown().size(), 1196u);
    EXPECT_EQ(all().size(), 4957u);
}

TEST_F(Finder, FavouritesFilterKeepsTheMarkedRecords)
{
    chooseRoot("*");
    finder.setFilterFav();
    EXPECT_TRUE(shown().empty());
    all()[7]->Fav = "*";
    all()[3000]->Fav = "*";
    finder.setFilterFav();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0], all()[7]);
}

TEST_F(Finder, SearchFindsSymbolsCaseSensitively)
{
    finder.searchBarTextDidChange("m7");
    EXPECT_TRUE(finder.isFiltered());
    EXPECT_EQ(shown().size(), 551u);
    finder.searchBarTextDidChange("C");
    EXPECT_EQ(shown().size(), 618u);
    finder.searchBarTextDidChange("c");
    EXPECT_EQ(shown().size(), 0u);
    finder.searchBarTextDidChange("m7");
    finder.searchBarTextDidChange("");
    EXPECT_FALSE(finder.isFiltered());
    EXPECT_EQ(finder.filteredTableData()->size(), 551u);
    EXPECT_EQ(shown().size(), 4957u);
}

TEST_F(Finder, FretFilterKeepsExactlyTheChordsThatFitTheLabels)
{
    const std::vector<std::array<std::string_view, 6>> patterns = {
        {" ", "1", " ", " ", " ", " "}, {" ", "10", " ", " ", " ", " "},
        {" ", " ", "0", "2", "3", " "}, {" ", " ", " ", " ", " ", "0"},
        {"0", "1", "0", "2", "3", " "}, {" ", " ", " ", " ", " ", " "}};
    for (const auto& labels : patterns) {
        filterByLabels(labels);
        EXPECT_TRUE(finder.isFiltered());
        auto fits = [&](const Acorde& c) {
            for (int s = 1; s <= 6; ++s) {
                const std::string_view label = labels[static_cast<std::size_t>(s - 1)];
                if (label != " " && c.fret(s) != label)
                    return false;
            }
            return true;
        };
        for (const auto& chord : shown())
            EXPECT_TRUE(fits(*chord)) << chord->Cifra;
        EXPECT_EQ(shown().size(), countInCatalogue(fits));
    }
    // A label "1" is fret 1 only: no fret 10 to 15 comes with it.
    filterByLabels({" ", "1", " ", " ", " ", " "});
    for (const auto& chord : shown())
        EXPECT_EQ(chord->C2, "1");
    filterByLabels({" ", " ", "0", "2", "3", " "});
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().front(), all().front()); // the open C, first
}

TEST_F(Finder, FiltersAfterAllRootsLeaveTheCatalogueWhole)
{
    chooseRoot("*");
    ASSERT_EQ(finder.filteredTableData(), finder.allTableData());
    const auto first = all().front();
    filterByLabels({" ", "3", " ", " ", " ", " "});
    finder.searchBarTextDidChange("dim");
    finder.setFilterFav();
    finder.setFilterCateg("7");
    EXPECT_EQ(all().size(), 4957u);
    EXPECT_EQ(all().front(), first);
}

TEST_F(Finder, ViewsHearOfEachListTheyShow)
{
    int shownLists = 0, favourites = 0;
    QObject::connect(&finder, &finder::ChordFinder::shownListChanged, [&] { ++shownLists; });
    QObject::connect(&finder, &finder::ChordFinder::favouritesChanged, [&] { ++favourites; });
    chooseRoot("C ");
    finder.searchBarTextDidChange("m");
    finder.searchBarTextDidChange("");
    filterByLabels({" ", "1", " ", " ", " ", " "});
    finder.setFilterCateg("7");
    finder.setFilterFav();
    EXPECT_EQ(shownLists, 6);
    finder.SetFavorite();
    finder.ClearFavorites();
    finder.favouritesReturned();
    EXPECT_EQ(favourites, 6); // root, category and favourites filters, then three
}

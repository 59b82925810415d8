// Choosing roots and types, categories, the favourites filter, the search
// and the fret-pattern filter.
#include "MainScreenFixture.h"
#include "catalogue/Vocabularies.h"

#include <QTest>

using catalogue::Acorde;
using catalogue::beginsWith;

TEST_F(MainScreen, RootAndTypeRowsFilterAndCount)
{
    chooseRoot("C ");
    EXPECT_TRUE(screen->isFiltered);
    EXPECT_EQ(shown().size(), 261u);
    EXPECT_EQ(screen->labelnChords->text(), "(261)");
    EXPECT_EQ(screen->tableViewCifras->numberOfRows(), 261);

    chooseType("m7 ");
    EXPECT_EQ(screen->tipoText->text(), " m7 ");
    const std::size_t cm7 = countInCatalogue(
        [](const Acorde& c) { return c.Tonica == "C " && beginsWith(c.Tipo, " m7 "); });
    EXPECT_EQ(shown().size(), cm7);
    EXPECT_EQ(screen->labelnChords->text(), QStringLiteral("(%1)").arg(cm7));
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
    EXPECT_EQ(screen->labelnChords->text(), "(0)");

    chooseType("*");
    chooseRoot("*");
    EXPECT_EQ(screen->filteredTableData, screen->allTableData);
    EXPECT_EQ(screen->tonicaText->text(), "*");
    EXPECT_EQ(screen->labelnChords->text(), "(4957)");
}

TEST_F(MainScreen, ChordRowShowsTheChordAndLeavesTheListAlone)
{
    chooseRoot("D ");
    const auto record = shown()[2];
    const auto listBefore = screen->filteredTableData;
    screen->tableViewDidSelectRow(screen->tableViewFotos, 2);
    EXPECT_EQ(screen->labelCifra->text().toStdString(), record->Cifra);
    EXPECT_EQ(screen->tonicaText->text(), "D ");
    EXPECT_EQ(screen->indexFav, 2);
    EXPECT_EQ(screen->chordOnDisplay, record);
    EXPECT_FALSE(screen->cifraImage->pixmap().isNull());
    EXPECT_EQ(screen->labelFavorite->text(), " ");
    EXPECT_EQ(screen->FavoriteOnOff->tag(), 0);
    EXPECT_EQ(screen->FavoriteOnOff->imageName(), "icone-favorite.png");
    EXPECT_EQ(screen->filteredTableData, listBefore);
    // A type row now combines with the chord's root.
    chooseType("7 ");
    for (const auto& chord : shown())
        EXPECT_EQ(chord->Tonica, "D ");
    // A favourites row and rows past the end change nothing.
    screen->tableViewDidSelectRow(screen->tableViewFav, 0);
    screen->tableViewDidSelectRow(screen->tableViewCifras, 100000);
    EXPECT_EQ(screen->chordOnDisplay, record);

    screen->tableViewSelect(nullptr);
    EXPECT_EQ(screen->chordOnDisplay, shown().front());
    EXPECT_EQ(screen->indexFav, 0);
}

TEST_F(MainScreen, CategoriesNarrowTheShownListOnThePress)
{
    chooseRoot("C ");
    QTest::mousePress(screen->SetTypem, Qt::LeftButton);
    QTest::mouseRelease(screen->SetTypem, Qt::LeftButton);
    const std::size_t minor = countInCatalogue(
        [](const Acorde& c) { return c.Tonica == "C " && c.Categoria == "menor"; });
    EXPECT_EQ(shown().size(), minor);
    EXPECT_EQ(screen->filteredTableData, screen->filteredTableDataType);
    QTest::mouseClick(screen->SetTypeM, Qt::LeftButton);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(screen->labelnChords->text(), "(261)"); // the count does not follow

    chooseRoot("*");
    screen->setFilterCateg(nullptr); // nothing held down: "Maior"
    EXPECT_EQ(shown().size(), 1196u);
    EXPECT_EQ(screen->allTableData->size(), 4957u);
}

TEST_F(MainScreen, FavouritesFilterKeepsTheMarkedRecords)
{
    chooseRoot("*");
    screen->setFilterFav();
    EXPECT_TRUE(shown().empty());
    (*screen->allTableData)[7]->Fav = "*";
    (*screen->allTableData)[3000]->Fav = "*";
    screen->setFilterFav();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0], (*screen->allTableData)[7]);
}

TEST_F(MainScreen, SearchFindsSymbolsCaseSensitively)
{
    screen->searchBar->setText("m7");
    EXPECT_TRUE(screen->isFiltered);
    EXPECT_EQ(shown().size(), 551u);
    EXPECT_EQ(screen->tableViewFotos->numberOfRows(), 551);
    screen->searchBar->setText("C");
    EXPECT_EQ(shown().size(), 618u);
    screen->searchBar->setText("c");
    EXPECT_EQ(shown().size(), 0u);
    screen->searchBar->setText("m7");
    screen->searchBar->clear();
    EXPECT_FALSE(screen->isFiltered);
    EXPECT_EQ(screen->filteredTableData->size(), 551u);
    EXPECT_EQ(screen->tableViewCifras->numberOfRows(), 4957);
}

TEST_F(MainScreen, FretFilterKeepsExactlyTheChordsThatFitTheLabels)
{
    const std::vector<std::array<const char*, 6>> patterns = {
        {" ", "1", " ", " ", " ", " "}, {" ", "10", " ", " ", " ", " "},
        {" ", " ", "0", "2", "3", " "}, {" ", " ", " ", " ", " ", "0"},
        {"0", "1", "0", "2", "3", " "}, {" ", " ", " ", " ", " ", " "}};
    for (const auto& labels : patterns) {
        setFretLabels(labels);
        screen->setFilterChord(nullptr);
        EXPECT_TRUE(screen->isFiltered);
        auto fits = [&](const Acorde& c) {
            for (int s = 1; s <= 6; ++s) {
                const std::string label = labels[static_cast<std::size_t>(s - 1)];
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
    setFretLabels({" ", "1", " ", " ", " ", " "});
    screen->setFilterChord(nullptr);
    for (const auto& chord : shown())
        EXPECT_EQ(chord->C2, "1");
    setFretLabels({" ", " ", "0", "2", "3", " "});
    screen->setFilterChord(nullptr);
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().front(), screen->allTableData->front()); // the open C, first
}

TEST_F(MainScreen, FiltersAfterAllRootsLeaveTheCatalogueWhole)
{
    chooseRoot("*");
    ASSERT_EQ(screen->filteredTableData, screen->allTableData);
    const auto first = screen->allTableData->front();
    setFretLabels({" ", "3", " ", " ", " ", " "});
    screen->setFilterChord(nullptr);
    screen->searchBar->setText("dim");
    screen->setFilterFav();
    EXPECT_EQ(screen->allTableData->size(), 4957u);
    EXPECT_EQ(screen->allTableData->front(), first);
}

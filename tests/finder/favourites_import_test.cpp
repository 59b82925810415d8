// Marking favourites, handing them over, and importing chord names from a
// page served on 127.0.0.1.
#include "MainScreenFixture.h"
#include "fetch/LocalHttpServer.h"
#include "finder/ChordListReceiver.h"

#include <QAbstractButton>
#include <QTest>

namespace {

class FakeFavourites : public platform::ViewController, public finder::ChordListReceiver {
public:
    catalogue::ChordListRef favourites, catalogue;
    void setFilteredTableData(catalogue::ChordListRef list) override { favourites = list; }
    void setAllTableData(catalogue::ChordListRef list) override { catalogue = list; }
};

} // namespace

TEST_F(MainScreen, FirstPressMarksTheChordOnDisplay)
{
    QTest::mouseClick(screen->FavoriteOnOff, Qt::LeftButton);
    const auto c = screen->allTableData->front();
    EXPECT_EQ(c->Fav, "*");
    EXPECT_EQ(c->FavOrder, "001");
    EXPECT_EQ(screen->FavNumber->text(), "001");
    EXPECT_EQ(screen->FavoriteOnOff->tag(), 1);
    EXPECT_EQ(screen->labelFavorite->text(), "*");
    ASSERT_EQ(screen->filteredFavorite->size(), 1u);
    EXPECT_EQ(screen->tableViewFav->numberOfRows(), 1);

    // The second press takes the mark off and the chord out of the list.
    screen->SetFavorite();
    EXPECT_EQ(c->Fav, " ");
    EXPECT_EQ(screen->FavoriteOnOff->tag(), 0);
    EXPECT_TRUE(screen->filteredFavorite->empty());
    EXPECT_EQ(screen->tableViewFav->numberOfRows(), 0);
    screen->SetFavorite();
    screen->SetFavorite();
    screen->SetFavorite();
    EXPECT_EQ(screen->filteredFavorite->size(), 1u); // never twice
}

TEST_F(MainScreen, CounterStampsTheNextOrder)
{
    screen->FavNumber->setText("41");
    screen->SetFavorite();
    EXPECT_EQ(screen->allTableData->front()->FavOrder, "042");
    screen->FavNumber->setText("999");
    screen->tableViewDidSelectRow(screen->tableViewCifras, 5);
    screen->SetFavorite();
    EXPECT_EQ((*screen->allTableData)[5]->FavOrder, "1000");
    screen->FavNumber->setText("x12");
    screen->tableViewDidSelectRow(screen->tableViewCifras, 6);
    screen->SetFavorite();
    EXPECT_EQ((*screen->allTableData)[6]->FavOrder, "001");
}

TEST_F(MainScreen, PressAfterASearchMarksTheChordOnDisplay)
{
    screen->searchBar->setText("m7");
    screen->tableViewDidSelectRow(screen->tableViewCifras, 3);
    const auto chosen = shown()[3];
    screen->searchBar->setText("dim"); // the list changes under the chosen row
    screen->SetFavorite();
    EXPECT_EQ(chosen->Fav, "*");
    EXPECT_EQ(std::count_if(screen->allTableData->begin(), screen->allTableData->end(),
                            [](const auto& c) { return c->Fav == "*"; }),
              1);
    // A marked chord chosen again shows its mark and is un-marked next.
    screen->tableViewDidSelectRow(screen->tableViewFav, 0);
    screen->searchBar->setText("m7");
    screen->tableViewDidSelectRow(screen->tableViewCifras, 3);
    EXPECT_EQ(screen->FavoriteOnOff->imageName(), "icone-favorite-set.png");
    screen->SetFavorite();
    EXPECT_EQ(chosen->Fav, " ");
}

TEST_F(MainScreen, HandOverGivesTheVeryListsAndReturnShowsTheirChanges)
{
    screen->SetFavorite();
    auto destination = std::make_shared<FakeFavourites>();
    screen->registerSegue("segueFavoritos", [&](QObject*) { return destination; });
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonGrade"), Qt::LeftButton);
    EXPECT_EQ(destination->favourites, screen->filteredFavorite);
    EXPECT_EQ(destination->catalogue, screen->allTableData);
    ASSERT_EQ(screen->presentedViewController(), destination.get());

    // The favourites screen refills the shared list; back on the main screen
    // the favourites table shows it.
    destination->favourites->assign(screen->allTableData->begin() + 10,
                                    screen->allTableData->begin() + 13);
    screen->dismissViewController();
    EXPECT_EQ(screen->tableViewFav->numberOfRows(), 3);

    // A segue of another name hands nothing over.
    auto other = std::make_shared<FakeFavourites>();
    screen->registerSegue("segueOutra", [&](QObject*) { return other; });
    screen->performSegue("segueOutra", nullptr);
    EXPECT_EQ(other->favourites, nullptr);

    const auto shared = screen->filteredFavorite;
    screen->ClearFavorites();
    EXPECT_NE(screen->filteredFavorite, shared);
    EXPECT_EQ(shared->size(), 3u);
    EXPECT_EQ(screen->tableViewFav->numberOfRows(), 0);
}

TEST(ChordImport, BoldNamesOfAServedPageJoinTheFavourites)
{
    LocalHttpServer server([](const std::string& path) -> LocalHttpServer::Response {
        if (path == "/cifras")
            return {200, "<p><b>Am</b> e <B>G7</B>, depois <b>Am</b>, <b> C</b>, <b>Xyz</b>"
                         " e <b>Db</b></p>"};
        if (path == "/latin1")
            return {200, "<b>Am</b> \xE7\xE3o"};
        return {404, "nada"};
    });
    auto screen = std::make_shared<finder::FirstViewController>();
    screen->view();
    const auto& all = *screen->allTableData;
    auto first = [&](const std::string& symbol) {
        return *std::find_if(all.begin(), all.end(),
                             [&](const auto& c) { return c->Cifra == symbol; });
    };

    screen->LinkCifra->setText(QString::fromStdString(server.url("/cifras")));
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
    EXPECT_TRUE(screen->textHTML->toPlainText().contains("<b>Am</b>"));
    EXPECT_TRUE(screen->WebViewCifra->toPlainText().contains("Am"));
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonLerCifras"), Qt::LeftButton);
    const catalogue::ChordList expected = {first("Am"), first("G7"), first("Am"), first("Db")};
    EXPECT_EQ(*screen->filteredFavorite, expected);
    EXPECT_EQ(first("Am")->Fav, " ");                   // imported, not marked
    EXPECT_EQ(screen->tableViewFav->numberOfRows(), 0); // shown at the next reload
    EXPECT_FALSE(screen->textPlain->toPlainText().isEmpty());

    platform::LogCapture log;
    screen->LinkCifra->setText(QString::fromStdString(server.url("/latin1")));
    screen->abrirCifra(nullptr);
    EXPECT_TRUE(screen->textHTML->toPlainText().isEmpty());
    screen->LinkCifra->setText(QString::fromStdString(server.url("/ausente")));
    screen->abrirCifra(nullptr);
    EXPECT_TRUE(screen->textHTML->toPlainText().isEmpty());
    EXPECT_EQ(log.lines().size(), 2u);
    screen->lerCifras(nullptr);
    EXPECT_EQ(screen->filteredFavorite->size(), 4u);
}

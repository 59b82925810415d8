// Marking favourites, handing them over, and importing chord names from a
// page served on 127.0.0.1.
#include "MainScreenFixture.h"
#include "fetch/LocalHttpServer.h"
#include "finder/ChordListReceiver.h"

#include <QAbstractButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

#include <stdexcept>

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
    auto* star = named<platform::Button>("FavoriteOnOff");
    QTest::mouseClick(star, Qt::LeftButton);
    const auto c = finder().allTableData()->front();
    EXPECT_EQ(c->Fav, "*");
    EXPECT_EQ(c->FavOrder, "001");
    EXPECT_EQ(textOf("FavNumber"), "001");
    EXPECT_EQ(star->tag(), 1);
    EXPECT_EQ(textOf("labelFavorite"), "*");
    ASSERT_EQ(finder().filteredFavorite()->size(), 1u);
    EXPECT_EQ(table("tableViewFav")->numberOfRows(), 1);

    // The second press takes the mark off and the chord out of the list, and
    // stamps it with the next order all the same.
    QTest::mouseClick(star, Qt::LeftButton);
    EXPECT_EQ(c->Fav, " ");
    EXPECT_EQ(c->FavOrder, "002");
    EXPECT_EQ(textOf("FavNumber"), "002");
    EXPECT_EQ(star->tag(), 0);
    EXPECT_EQ(textOf("labelFavorite"), " ");
    EXPECT_TRUE(finder().filteredFavorite()->empty());
    EXPECT_EQ(table("tableViewFav")->numberOfRows(), 0);
    screen->SetFavorite();
    screen->SetFavorite();
    screen->SetFavorite();
    EXPECT_EQ(finder().filteredFavorite()->size(), 1u); // never twice
}

TEST_F(Finder, CounterStampsTheNextOrder)
{
    finder.setFavouriteCounter("41");
    finder.SetFavorite();
    EXPECT_EQ(all().front()->FavOrder, "042");
    EXPECT_EQ(finder.favouriteCounter(), "042");
    finder.setFavouriteCounter("999");
    finder.selectChord(5);
    finder.SetFavorite();
    EXPECT_EQ(all()[5]->FavOrder, "1000");
    finder.setFavouriteCounter("x12");
    finder.selectChord(6);
    finder.SetFavorite();
    EXPECT_EQ(all()[6]->FavOrder, "001");
    finder.setFavouriteCounter(" -7");
    finder.selectChord(7);
    finder.SetFavorite();
    EXPECT_EQ(all()[7]->FavOrder, "-06");
}

TEST_F(Finder, EveryPressStampsAndAdvancesTheCounter)
{
    const auto c = all().front();
    const char* const stamps[] = {"001", "002", "003", "004"};
    for (const char* stamp : stamps) {
        const bool wasOn = finder.favouriteOn();
        finder.SetFavorite();
        EXPECT_NE(finder.favouriteOn(), wasOn);
        EXPECT_EQ(c->FavOrder, stamp);
        EXPECT_EQ(finder.favouriteCounter(), stamp);
    }
    EXPECT_EQ(c->Fav, " ");
    EXPECT_TRUE(finder.filteredFavorite()->empty());
}

// A record joins the favourites once, whichever way it arrives; the list
// keeps the order in which records first arrived.
TEST_F(Finder, AChordIsAFavouriteOnceWhicheverWayItArrives)
{
    const auto c = all().front();
    const auto firstNamed = [&](const std::string& symbol) {
        return *std::find_if(all().begin(), all().end(),
                             [&](const auto& chord) { return chord->Cifra == symbol; });
    };
    finder.lerCifras("<b>C</b>");
    ASSERT_EQ(*finder.filteredFavorite(), catalogue::ChordList{c});
    // The imported chord, picked and starred, is marked but not listed again.
    finder.selectChord(0);
    finder.SetFavorite();
    EXPECT_EQ(c->Fav, "*");
    EXPECT_EQ(*finder.filteredFavorite(), catalogue::ChordList{c});
    // The same page read twice, and a page naming a chord twice.
    finder.lerCifras("<b>C</b>");
    finder.lerCifras("<b>Am</b> <b>C</b> <b>G7</b> <b>Am</b>");
    const catalogue::ChordList expected = {c, firstNamed("Am"), firstNamed("G7")};
    EXPECT_EQ(*finder.filteredFavorite(), expected);
    // Un-marking takes the chord out; marking it again puts it at the end.
    finder.SetFavorite();
    finder.SetFavorite();
    const catalogue::ChordList reordered = {firstNamed("Am"), firstNamed("G7"), c};
    EXPECT_EQ(*finder.filteredFavorite(), reordered);
}

TEST_F(MainScreen, CounterFieldFeedsTheNextOrder)
{
    named<QLineEdit>("FavNumber")->setText("41");
    QTest::mouseClick(named<platform::Button>("FavoriteOnOff"), Qt::LeftButton);
    EXPECT_EQ(finder().allTableData()->front()->FavOrder, "042");
    EXPECT_EQ(textOf("FavNumber"), "042");
}

TEST_F(Finder, PressAfterASearchMarksTheChordOnDisplay)
{
    finder.searchBarTextDidChange("m7");
    finder.selectChord(3);
    const auto chosen = shown()[3];
    finder.searchBarTextDidChange("dim"); // the list changes under the chosen row
    finder.SetFavorite();
    EXPECT_EQ(chosen->Fav, "*");
    EXPECT_EQ(
        std::count_if(all().begin(), all().end(), [](const auto& c) { return c->Fav == "*"; }), 1);
    // A marked chord chosen again shows its mark and is un-marked next.
    finder.searchBarTextDidChange("m7");
    finder.selectChord(3);
    EXPECT_TRUE(finder.favouriteOn());
    finder.SetFavorite();
    EXPECT_EQ(chosen->Fav, " ");
}

TEST_F(MainScreen, HandOverGivesTheVeryListsAndReturnShowsTheirChanges)
{
    screen->SetFavorite();
    auto destination = std::make_shared<FakeFavourites>();
    screen->registerSegue("segueFavoritos", [&](QObject*) { return destination; });
    QTest::mouseClick(named<QAbstractButton>("buttonGrade"), Qt::LeftButton);
    EXPECT_EQ(destination->favourites, finder().filteredFavorite());
    EXPECT_EQ(destination->catalogue, finder().allTableData());
    ASSERT_EQ(screen->presentedViewController(), destination.get());

    // The favourites screen refills the shared list; back on the main screen
    // the favourites table shows it.
    destination->favourites->assign(finder().allTableData()->begin() + 10,
                                    finder().allTableData()->begin() + 13);
    screen->dismissViewController();
    EXPECT_EQ(table("tableViewFav")->numberOfRows(), 3);

    // A segue of another name hands nothing over.
    auto other = std::make_shared<FakeFavourites>();
    screen->registerSegue("segueOutra", [&](QObject*) { return other; });
    screen->performSegue("segueOutra", nullptr);
    EXPECT_EQ(other->favourites, nullptr);

    const auto shared = finder().filteredFavorite();
    QTest::mouseClick(named<QAbstractButton>("buttonLimparFavoritos"), Qt::LeftButton);
    EXPECT_NE(finder().filteredFavorite(), shared);
    EXPECT_EQ(shared->size(), 3u);
    EXPECT_EQ(table("tableViewFav")->numberOfRows(), 0);
}

TEST(ChordImport, BoldNamesOfAServedPageJoinTheFavourites)
{
    LocalHttpServer server([](const std::string& path) -> LocalHttpServer::Response {
        if (path == "/cifras")
            return {200, "<p><b>Am</b> e <B>G7</B>, depois <b>Am</b>, <b> C</b>, <b>Xyz</b>"
                         " e <b>Db</b></p>"};
        if (path == "/latin1")
            return {200, "<b>Am</b> \xE7\xE3o"};
        if (path == "/utf32")
            return {200, std::string("\xFF\xFE\0\0<\0\0\0b\0\0\0>\0\0\0", 16)};
        return {404, "nada"};
    });
    auto screen = std::make_shared<finder::FirstViewController>();
    screen->view();
    const auto& all = *screen->finder().allTableData();
    auto first = [&](const std::string& symbol) {
        return *std::find_if(all.begin(), all.end(),
                             [&](const auto& c) { return c->Cifra == symbol; });
    };
    auto* link = screen->outlet<QLineEdit>("LinkCifra");
    auto* source = screen->outlet<QTextEdit>("textHTML");

    link->setText(QString::fromStdString(server.url("/cifras")));
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
    ASSERT_TRUE(support::pageShown(*screen));
    EXPECT_TRUE(source->toPlainText().contains("<b>Am</b>"));
    EXPECT_TRUE(screen->outlet<QTextBrowser>("WebViewCifra")->toPlainText().contains("Am"));
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonLerCifras"), Qt::LeftButton);
    // "Am" is named twice and listed once.
    const catalogue::ChordList expected = {first("Am"), first("G7"), first("Db")};
    EXPECT_EQ(*screen->finder().filteredFavorite(), expected);
    EXPECT_EQ(first("Am")->Fav, " "); // imported, not marked
    EXPECT_EQ(screen->outlet<finder::TableView>("tableViewFav")->numberOfRows(),
              0); // shown at the next refresh
    EXPECT_FALSE(screen->outlet<QTextEdit>("textPlain")->toPlainText().isEmpty());

    platform::LogCapture log;
    link->setText(QString::fromStdString(server.url("/latin1")));
    screen->abrirCifra(nullptr);
    ASSERT_TRUE(support::pageShown(*screen));
    EXPECT_TRUE(source->toPlainText().isEmpty());
    link->setText(QString::fromStdString(server.url("/ausente")));
    screen->abrirCifra(nullptr);
    ASSERT_TRUE(support::pageShown(*screen));
    EXPECT_TRUE(source->toPlainText().isEmpty());
    EXPECT_EQ(log.lines().size(), 2u);
    screen->lerCifras(nullptr);
    EXPECT_EQ(screen->finder().filteredFavorite()->size(), 3u);
}

// A fetch that fails by throwing is logged like any failed fetch, and leaves
// the screen taking input again.
TEST_F(MainScreen, AFetchThatThrowsLeavesTheScreenUsable)
{
    fetcher->setPage("http://cifras.test/", "<b>Am</b>");
    screen->outlet<QLineEdit>("LinkCifra")->setText("http://cifras.test/");
    fetcher->duringFetch = [] { throw std::runtime_error("sem rede"); };
    platform::LogCapture log;
    screen->abrirCifra(nullptr);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Página não carregada: http://cifras.test/: sem rede"});
    EXPECT_TRUE(screen->view()->isEnabled());
    fetcher->duringFetch = nullptr;
    screen->abrirCifra(nullptr);
    ASSERT_TRUE(support::pageShown(*screen));
    EXPECT_TRUE(screen->outlet<QTextEdit>("textHTML")->toPlainText().contains("Am"));
}

// A fetch that gives no page says why in one line beside the address, in
// the room the line has; the next fetch that gives one, or a reading of
// names, clears it.
TEST(ChordImport, AFailedFetchSaysWhyInOneLineUntilASuccess)
{
    using namespace std::chrono_literals;
    qputenv("no_proxy", "127.0.0.1");
    LocalHttpServer server([](const std::string& path) -> LocalHttpServer::Response {
        if (path == "/cifras")
            return {200, "<b>Am</b>"};
        if (path == "/latin1")
            return {200, "<b>Am</b> \xE7\xE3o"};
        if (path == "/utf32")
            return {200, std::string("\xFF\xFE\0\0<\0\0\0b\0\0\0>\0\0\0", 16)};
        if (path == "/lenta")
            return {200, "<b>Am</b>", 1500ms}; // answered after the fetch gave up
        if (path == "/enorme")
            return {200, std::string(5 * 1024 * 1024 + 1, 'a')};
        return {404, "nada"};
    });
    auto screen = std::make_shared<finder::FirstViewController>(
        std::make_unique<platform::CurlPageFetcher>(platform::PageFetchLimits{1000ms}));
    screen->view();
    auto* message = screen->outlet<QLabel>("mensagemImportar");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->isVisibleTo(screen->outlet<QWidget>("abaImportar")));
    const auto open = [&](const std::string& address) {
        screen->outlet<QLineEdit>("LinkCifra")->setText(QString::fromStdString(address));
        QTest::mouseClick(screen->outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
        EXPECT_TRUE(support::pageShown(*screen)) << address;
        return message->text().toStdString();
    };
    const std::pair<std::string, std::string> failures[] = {
        {"http://cifras.invalid/", "Servidor não encontrado: confira o endereço."},
        {"http://127.0.0.1:1/", "O servidor recusou a conexão."},
        {server.url("/ausente"), "O servidor respondeu com o erro 404."},
        {server.url("/lenta"), "O servidor demorou demais para responder."},
        {"cifras.com.br/musica", "Endereço inválido: use http://, https:// ou file://."},
        {server.url("/enorme"), "A página passa de 5 MiB; não foi aberta."},
        {server.url("/latin1"), "A página não está em UTF-8 nem em UTF-16; nada foi lido."},
        {server.url("/utf32"), "A página não está em UTF-8 nem em UTF-16; nada foi lido."}};
    for (const auto& [address, line] : failures) {
        platform::LogCapture log;
        EXPECT_EQ(open(address), line) << address;
        EXPECT_LE(message->heightForWidth(message->width()), message->height()) << address;
        EXPECT_EQ(log.lines().size(), 1u) << address; // the log line stays
        EXPECT_EQ(open(server.url("/cifras")), "") << "after " << address;
    }
    open(server.url("/ausente"));
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonLerCifras"), Qt::LeftButton);
    EXPECT_EQ(message->text().toStdString(), "");
}

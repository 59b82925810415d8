#include "FavouritesFixture.h"

#include "app/Storyboard.h"
#include "favourites/CollectionViewCell.h"
#include "favourites/CollectionViewController.h"
#include "favourites/FavViewController.h"
#include "finder/FirstViewController.h"
#include "finder/TableView.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "support/FocusStops.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListView>
#include <QTest>

using catalogue::ChordList;
using favourites::CollectionViewController;
using favtest::recordWithId;

TEST(ChordGridScreen, ShowsTheHandedOverListAndPlaysItOnItsOwnBank)
{
    auto engine = std::make_shared<platform::AudioEngine>();
    auto favourites = std::make_shared<ChordList>(
        ChordList{recordWithId("000011"), recordWithId("000010"), recordWithId("000004")});
    auto screen = std::make_shared<CollectionViewController>(engine);
    screen->setFilteredTableData(favourites);
    screen->setAllTableData(favtest::catalogueList());
    screen->view()->resize(1164, 800);
    screen->view()->show();
    EXPECT_EQ(screen->filteredTableData().get(), favourites.get());
    EXPECT_EQ(screen->allTableData().get(), favtest::catalogueList().get());

    QListView* grid = screen->outlet<QListView>("collectionView");
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "Cadd9");
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), "C triad");

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 0)).center());
    const int frames = 8192;
    EXPECT_EQ(audiotest::renderMono(*engine, frames),
              audiotest::expectedMix(favtest::samplesOf(*recordWithId("000010")), frames));
    EXPECT_EQ(favourites->size(), 3u);
}

TEST(ChordGridScreen, WithoutAHandOverTheGridIsEmpty)
{
    auto engine = std::make_shared<platform::AudioEngine>();
    CollectionViewController screen(engine);
    ASSERT_NE(screen.view(), nullptr);
    EXPECT_EQ(screen.outlet<QListView>("collectionView")->model()->rowCount(), 0);
    screen.collectionViewDidSelectItem(0);
    audiotest::renderMono(*engine, platform::AudioEngine::kBufferFrames);
    EXPECT_EQ(engine->soundingVoices(), 0);
}

TEST(ChordGridCell, ThumbnailIsTheLuminosityRedrawOnAPadOnly)
{
    platform::setDeviceIdiom(platform::DeviceIdiom::Phone);
    const favourites::CollectionViewCell phoneCell;
    platform::setDeviceIdiom(platform::DeviceIdiom::Pad);
    const favourites::CollectionViewCell padCell;
    const QImage photo = phoneCell.thumbnails().thumbnail("DS1_0019").toImage();
    const QImage thumb = padCell.thumbnails().thumbnail("DS1_0019").toImage();
    ASSERT_FALSE(photo.isNull());
    ASSERT_EQ(thumb.size(), photo.size());
    int coloured = 0, grey = 0, samples = 0;
    for (int y = 0; y < photo.height(); y += 3)
        for (int x = 0; x < photo.width(); x += 3, ++samples) {
            const QRgb p = photo.pixel(x, y), t = thumb.pixel(x, y);
            coloured += qRed(p) != qBlue(p);
            grey += qRed(t) == qGreen(t) && qGreen(t) == qBlue(t);
        }
    EXPECT_GT(coloured, samples / 4);
    EXPECT_EQ(grey, samples);
    EXPECT_TRUE(padCell.thumbnails().thumbnail("DS9_9999").isNull());
}

class Storyboard : public favtest::ScratchDataFolder {};

TEST_F(Storyboard, TheMainScreenOpensEachGridScreenWithItsVeryListsAndSeesAnOpenedList)
{
    auto window = std::make_shared<platform::Window>();
    auto root = app::makeMainStoryboard();
    window->setRootViewController(root);
    window->show();
    auto* main = dynamic_cast<finder::FirstViewController*>(root.get());
    ASSERT_NE(main, nullptr);
    const catalogue::ChordListRef favourites = main->finder().filteredFavorite();
    ASSERT_NE(favourites, nullptr);
    favourites->assign({recordWithId("000006"), recordWithId("000011")});

    QTest::mouseClick(main->outlet<QAbstractButton>("buttonGrade"), Qt::LeftButton);
    auto* gridScreen = dynamic_cast<CollectionViewController*>(main->presentedViewController());
    ASSERT_NE(gridScreen, nullptr);
    EXPECT_EQ(gridScreen->filteredTableData(), favourites);
    EXPECT_EQ(gridScreen->outlet<QListView>("collectionView")->model()->rowCount(), 2);
    QTest::mouseClick(gridScreen->outlet<QAbstractButton>("buttonVoltar"), Qt::LeftButton);
    EXPECT_EQ(main->presentedViewController(), nullptr);

    QTest::mouseClick(main->outlet<QAbstractButton>("buttonFavoritos"), Qt::LeftButton);
    auto* favScreen = dynamic_cast<favourites::FavViewController*>(main->presentedViewController());
    ASSERT_NE(favScreen, nullptr);
    EXPECT_EQ(favScreen->filteredTableData(), favourites);
    EXPECT_EQ(favScreen->allTableData(), main->finder().allTableData());
    favScreen->outlet<QLineEdit>("nomeListaFav")->setText("Roda");
    favScreen->salvarListaFav();
    favourites->clear();
    favScreen->tableDidSelectRow(0);
    QTest::mouseClick(favScreen->outlet<QAbstractButton>("retornarFirstView"), Qt::LeftButton);
    EXPECT_EQ(main->presentedViewController(), nullptr);

    // The main screen's own list object now holds the opened list.
    EXPECT_EQ(main->finder().filteredFavorite(), favourites);
    ASSERT_EQ(favourites->size(), 2u);
    EXPECT_EQ((*favourites)[0]->IDCifra, "000059");
    EXPECT_EQ((*favourites)[1]->IDCifra, "000003");
    EXPECT_EQ(main->outlet<finder::TableView>("tableViewFav")->numberOfRows(), 2);
}

TEST(ChordGridScreen, AMissingSampleLeavesOnlyItsPositionSilent)
{
    const std::filesystem::path built = audiotest::builtBundle();
    const std::filesystem::path partial = std::filesystem::temp_directory_path() /
                                          ("cifrario-grid-bundle-" + std::to_string(::getpid()));
    std::filesystem::remove_all(partial);
    std::filesystem::create_directories(partial);
    for (const auto& entry : std::filesystem::directory_iterator(built))
        if (entry.path().filename() != "C4-002.mp3")
            std::filesystem::create_symlink(entry.path(), partial / entry.path().filename());
    platform::Bundle::setMainBundleDirectory(partial.string());

    auto engine = std::make_shared<platform::AudioEngine>();
    auto favourites = std::make_shared<ChordList>(ChordList{recordWithId("000004")}); // x,1,0,2,3,x
    {
        CollectionViewController screen(engine);
        screen.setFilteredTableData(favourites);
        ASSERT_NE(screen.view(), nullptr);
        EXPECT_EQ(screen.bank().player(4, 2), nullptr);
        EXPECT_NE(screen.bank().player(4, 3), nullptr);
        screen.collectionViewDidSelectItem(0);
        const int frames = 8192;
        EXPECT_EQ(audiotest::renderMono(*engine, frames),
                  audiotest::expectedMix({"C5-003", "C3", "C2-001"}, frames));
    }
    platform::Bundle::setMainBundleDirectory(built.string());
    std::filesystem::remove_all(partial);
}

// Keyboard focus shows on every stop of the chord grid screen, the grid
// included, in the dark look.
TEST(ChordGridScreen, EveryFocusStopShowsItsFocus)
{
    testsupport::DarkLook dark;
    auto screen =
        std::make_shared<CollectionViewController>(std::make_shared<platform::AudioEngine>());
    screen->setFilteredTableData(std::make_shared<ChordList>(ChordList{recordWithId("000011")}));
    screen->view()->resize(1164, 800);
    screen->view()->show();
    screen->view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen->view()));
    const testsupport::FocusStops round = testsupport::tabRound(screen->view());
    EXPECT_TRUE(round.comesRound);
    EXPECT_EQ(round.unseen, std::vector<std::string>{});
    EXPECT_NE(std::find(round.stops.begin(), round.stops.end(), "collectionView"),
              round.stops.end());
}

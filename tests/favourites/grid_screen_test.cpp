#include "FavouritesFixture.h"

#include "app/Storyboard.h"
#include "favourites/CollectionViewCell.h"
#include "favourites/CollectionViewController.h"
#include "favourites/FavViewController.h"
#include "finder/LuminosityImage.h"
#include "platform/System.h"
#include "platform/Window.h"

#include <QAbstractButton>
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
    EXPECT_EQ(screen->filteredTableData.get(), favourites.get());
    EXPECT_EQ(screen->allTableData.get(), favtest::catalogueList().get());

    QListView* grid = screen->collectionView;
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
    EXPECT_EQ(screen.collectionView->model()->rowCount(), 0);
    screen.collectionViewDidSelectItem(0);
    audiotest::renderMono(*engine, platform::AudioEngine::kBufferFrames);
    EXPECT_EQ(engine->soundingVoices(), 0);
}

TEST(ChordGridCell, ThumbnailIsTheLuminosityRedrawOnAPadOnly)
{
    const QSize size(240, 180);
    platform::setDeviceIdiom(platform::DeviceIdiom::Phone);
    const QImage photo = favourites::CollectionViewCell::photoThumb("DS1_0019", size).toImage();
    platform::setDeviceIdiom(platform::DeviceIdiom::Pad);
    const QImage thumb = favourites::CollectionViewCell::photoThumb("DS1_0019", size).toImage();
    ASSERT_EQ(photo.size(), size);
    ASSERT_EQ(thumb.size(), size);
    int coloured = 0, grey = 0;
    for (int y = 0; y < size.height(); y += 3)
        for (int x = 0; x < size.width(); x += 3) {
            const QRgb p = photo.pixel(x, y), t = thumb.pixel(x, y);
            coloured += qRed(p) != qBlue(p);
            grey += qRed(t) == qGreen(t) && qGreen(t) == qBlue(t);
        }
    EXPECT_GT(coloured, 100);
    EXPECT_EQ(grey, ((size.width() + 2) / 3) * ((size.height() + 2) / 3));
    EXPECT_TRUE(favourites::CollectionViewCell::photoThumb("DS9_9999", size).isNull());
}

TEST(LuminosityImage, GreysOfTheSourceOpaqueAtOnePixelPerPoint)
{
    QImage source(240, 180, QImage::Format_ARGB32);
    source.fill(qRgba(200, 40, 40, 255));
    for (int x = 0; x < 240; ++x)
        source.setPixel(x, 0, qRgba(90, 90, 90, 255));
    source.setPixel(5, 5, qRgba(0, 0, 0, 0));
    source.setDevicePixelRatio(2.0);
    const QImage result = finder::luminosityImage(source);
    ASSERT_EQ(result.size(), QSize(120, 90));
    EXPECT_FALSE(result.hasAlphaChannel());
    EXPECT_EQ(result.devicePixelRatio(), 1.0);
    const QRgb middle = result.pixel(60, 45);
    EXPECT_EQ(qRed(middle), qGreen(middle));
    EXPECT_EQ(qGreen(middle), qBlue(middle));
    EXPECT_EQ(qRed(middle), (30 * 200 + 59 * 40 + 11 * 40 + 50) / 100);
    EXPECT_TRUE(finder::luminosityImage(QImage()).isNull());

    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(qRgb(90, 90, 90));
    EXPECT_EQ(finder::luminosityImage(grey).pixel(2, 2), qRgb(90, 90, 90));
}

TEST(Storyboard, SegueFavoritosOpensTheScreenOfTheControlThatPerformsIt)
{
    auto window = std::make_shared<platform::Window>();
    auto main = app::makeMainStoryboard();
    window->setRootViewController(main);
    window->show();

    QObject grade;
    grade.setObjectName("buttonGrade");
    ASSERT_TRUE(main->performSegue("segueFavoritos", &grade));
    auto* gridScreen = dynamic_cast<CollectionViewController*>(main->presentedViewController());
    ASSERT_NE(gridScreen, nullptr);
    QTest::mouseClick(gridScreen->outlet<QAbstractButton>("buttonVoltar"), Qt::LeftButton);
    EXPECT_EQ(main->presentedViewController(), nullptr);

    QObject favoritos;
    favoritos.setObjectName("buttonFavoritos");
    ASSERT_TRUE(main->performSegue("segueFavoritos", &favoritos));
    auto* favScreen = dynamic_cast<favourites::FavViewController*>(main->presentedViewController());
    ASSERT_NE(favScreen, nullptr);
    QTest::mouseClick(favScreen->outlet<QAbstractButton>("retornarFirstView"), Qt::LeftButton);
    EXPECT_EQ(main->presentedViewController(), nullptr);
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
        EXPECT_EQ(screen.bank.player(4, 2), nullptr);
        EXPECT_NE(screen.bank.player(4, 3), nullptr);
        screen.collectionViewDidSelectItem(0);
        const int frames = 8192;
        EXPECT_EQ(audiotest::renderMono(*engine, frames),
                  audiotest::expectedMix({"C5-003", "C3", "C2-001"}, frames));
    }
    platform::Bundle::setMainBundleDirectory(built.string());
    std::filesystem::remove_all(partial);
}

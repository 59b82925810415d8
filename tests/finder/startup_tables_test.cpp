// The main screen's first state, its five tables, the thumbnail redraw, the
// instructions overlay, and what outlives what.
#include "MainScreenFixture.h"
#include "finder/ChordListModel.h"
#include "finder/LuminosityImage.h"
#include "finder/TableViewCell.h"
#include "fretboard/FretboardPanel.h"
#include "platform/ActivityIndicator.h"
#include "platform/MainQueue.h"
#include "platform/System.h"
#include "platform/audio/AudioEngine.h"

#include <QAbstractButton>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

namespace {

// Marked positions in string then fret order: "C2C1:T C3C0:B", T for the
// root mark, B for the ball.
std::string marks(const fretboard::FretboardPanel& panel)
{
    std::string out;
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret) {
            const std::string image = panel.fretButton({string, fret})->imageName();
            if (!image.empty())
                out += (out.empty() ? "" : " ") + fretboard::positionName({string, fret}) + ":" +
                       (image == "BallT.png"  ? "T"
                        : image == "Ball.png" ? "B"
                                              : image);
        }
    return out;
}

} // namespace

TEST_F(MainScreen, StartsOnTheChordCWithTheWholeCatalogue)
{
    EXPECT_EQ(textOf("tonicaText"), "C ");
    EXPECT_EQ(textOf("tipoText"), " *");
    EXPECT_EQ(textOf("labelCifra"), "C");
    EXPECT_EQ(named<QLabel>("labelCifra")->font().pixelSize(), 40);
    EXPECT_FALSE(finder().isFiltered());
    EXPECT_EQ(finder().indexFav(), 0);
    EXPECT_EQ(finder().tonicas().size(), 18u);
    EXPECT_EQ(finder().tipos().size(), 91u);
    ASSERT_EQ(finder().allTableData()->size(), 4957u);
    EXPECT_EQ(finder().allTableData()->front()->Cifra, "C");
    EXPECT_EQ(finder().chordOnDisplay(), finder().allTableData()->front());
    EXPECT_TRUE(finder().filteredTableData()->empty());
    EXPECT_TRUE(finder().filteredFavorite()->empty());
    EXPECT_NE(finder().filteredTableData(), finder().filteredFavorite());
    auto* indicator = screen->view()->findChild<platform::ActivityIndicator*>();
    ASSERT_NE(indicator, nullptr);
    EXPECT_FALSE(indicator->isAnimating() && indicator->isHidden());

    EXPECT_EQ(table("tableViewTonica")->numberOfRows(), 18);
    EXPECT_EQ(table("tableViewTipo")->numberOfRows(), 91);
    EXPECT_EQ(table("tableViewCifras")->numberOfRows(), 4957);
    EXPECT_EQ(table("tableViewFotos")->numberOfRows(), 4957);
    EXPECT_EQ(table("tableViewFav")->numberOfRows(), 0);
    EXPECT_EQ(textOf("labelnChords"), "(4957)");
    EXPECT_FALSE(named<QLabel>("cifraImage")->pixmap().isNull());
}

// The open C at start-up: root balls on string 2 fret 1 and string 5 fret 3,
// ivory balls on the others, and the labels showing the pattern.
TEST_F(MainScreen, StartUpDrawsTheOpenCWithItsRootsMarked)
{
    fretboard::FretboardPanel* panel = screen->fretboard();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(marks(*panel), "C2C1:T C3C0:B C4C2:B C5C3:T");
    EXPECT_EQ(panel->labels().format(), "x,1,0,2,3,x");
    const char* const texts[] = {" ", "1", "0", "2", "3", " "};
    for (int string = 1; string <= 6; ++string)
        EXPECT_EQ(panel->findChild<QLabel*>(QStringLiteral("cdr%1").arg(string))->text(),
                  texts[string - 1]);
}

TEST_F(MainScreen, StartUpSoundsNothing)
{
    // The screen plays on the process's engine, where chords that earlier
    // tests struck may still be waiting for the mix or ringing: they are let
    // end before a screen starts afresh.
    auto engine = platform::AudioEngine::shared();
    std::vector<float> out(2 * 1024, 1.0f);
    int buffers = 0;
    do
        engine->render(out.data(), 1024);
    while (engine->soundingVoices() > 0 && ++buffers < 10'000);
    ASSERT_EQ(engine->soundingVoices(), 0);
    screen = make();
    engine->render(out.data(), 1024);
    EXPECT_EQ(engine->soundingVoices(), 0);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return v == 0.0f; }));
}

TEST_F(MainScreen, ScreenFlowShowsARowsChordAndFiltersOnTheControls)
{
    screen->tableViewDidSelectRow(table("tableViewTonica"),
                                  findertest::rowOf(finder().tonicas(), "D "));
    EXPECT_EQ(textOf("labelnChords"), QStringLiteral("(%1)").arg(shown().size()));
    EXPECT_EQ(table("tableViewCifras")->numberOfRows(), static_cast<int>(shown().size()));
    const auto record = shown()[2];
    screen->tableViewDidSelectRow(table("tableViewFotos"), 2);
    EXPECT_EQ(textOf("labelCifra").toStdString(), record->Cifra);
    EXPECT_EQ(textOf("tonicaText"), "D ");
    EXPECT_EQ(named<platform::Button>("FavoriteOnOff")->imageName(), "icone-favorite.png");
    EXPECT_EQ(screen->fretboard()->labels(), finder().fretLabels());
    screen->tableViewDidSelectRow(table("tableViewFav"), 0); // a favourites row: nothing
    EXPECT_EQ(finder().chordOnDisplay(), record);

    // The category buttons filter on the press; the count stays.
    const QString count = textOf("labelnChords");
    QTest::mousePress(named<QAbstractButton>("SetTypem"), Qt::LeftButton);
    QTest::mouseRelease(named<QAbstractButton>("SetTypem"), Qt::LeftButton);
    for (const auto& chord : shown())
        EXPECT_EQ(chord->Categoria, "menor");
    EXPECT_EQ(textOf("labelnChords"), count);

    named<QLineEdit>("searchBar")->setText("m7");
    EXPECT_EQ(table("tableViewFotos")->numberOfRows(), 551);
    named<QLineEdit>("searchBar")->clear();
    EXPECT_EQ(table("tableViewCifras")->numberOfRows(), 4957);

    screen->tableViewSelect(nullptr);
    EXPECT_EQ(finder().chordOnDisplay(), shown().front());
    EXPECT_EQ(finder().indexFav(), 0);

    // A fret tap filters the tables by the labels.
    screen->fretboard()->fretButtonNamed("C6C3")->click();
    EXPECT_EQ(finder().fretLabels(), screen->fretboard()->labels());
    for (const auto& chord : shown())
        EXPECT_EQ(chord->C6, "3");
    EXPECT_EQ(table("tableViewCifras")->numberOfRows(), static_cast<int>(shown().size()));
}

TEST_F(MainScreen, TablesShowTheirListsAsStored)
{
    auto text = [](finder::TableView* t, int row) {
        return t->model()->index(row, 0).data().toString().toStdString();
    };
    EXPECT_EQ(text(table("tableViewTonica"), 0), "*");
    EXPECT_EQ(text(table("tableViewTonica"), 17), "B ");
    EXPECT_EQ(text(table("tableViewTipo"), 2), " triad ");
    EXPECT_EQ(text(table("tableViewTipo"), 4), "add9/");
    EXPECT_EQ(text(table("tableViewTipo"), 90), "dim(4) ");
    EXPECT_EQ(text(table("tableViewCifras"), 0), "C");
    const QModelIndex photo = table("tableViewFotos")->model()->index(0, 0);
    EXPECT_EQ(photo.data(finder::ChordListModel::ImageStemRole).toString(), "DS1_0019");
    EXPECT_EQ(photo.data().toString(), "C");
    EXPECT_EQ(table("tableViewCifras")
                  ->model()
                  ->index(0, 0)
                  .data(Qt::FontRole)
                  .value<QFont>()
                  .pixelSize(),
              20);
    EXPECT_EQ(photo.data(Qt::FontRole).value<QFont>().pixelSize(), 18);

    // A search that finds nothing empties both chord tables.
    finder().searchBarTextDidChange("zzz");
    EXPECT_EQ(table("tableViewCifras")->numberOfRows(), 0);
    EXPECT_EQ(table("tableViewFotos")->numberOfRows(), 0);
}

TEST_F(MainScreen, AFavouritesRowPastTheEndOfAShrunkListIsEmpty)
{
    screen->SetFavorite();
    ASSERT_EQ(table("tableViewFav")->numberOfRows(), 1);
    // Another holder of the shared list empties it without a refresh here.
    finder().filteredFavorite()->clear();
    const QModelIndex row = table("tableViewFav")->model()->index(0, 0);
    EXPECT_FALSE(row.data().isValid());
    table("tableViewFav")->grab(); // paints without reading past the end
}

TEST_F(MainScreen, PhotoTableDecodesOnlyTheThumbnailsItDraws)
{
    auto* photos = table("tableViewFotos");
    auto* cell = dynamic_cast<finder::TableViewCell*>(photos->itemDelegate());
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(cell->thumbnails(), nullptr);
    photos->resize(226, 466);
    photos->grab();
    const std::size_t drawn = cell->thumbnails()->size();
    EXPECT_GT(drawn, 0u);
    EXPECT_LT(drawn, 20u);
    photos->scrollToBottom();
    photos->grab();
    EXPECT_LT(cell->thumbnails()->size(), 2 * drawn + 2);
}

TEST(LuminosityImage, GreyOpaqueCopyInPoints)
{
    QImage source(240, 180, QImage::Format_ARGB32);
    source.setDevicePixelRatio(2.0);
    source.fill(QColor(200, 40, 40, 255));
    const QImage grey = finder::luminosityImage(source);
    EXPECT_EQ(grey.size(), QSize(120, 90));
    EXPECT_EQ(grey.devicePixelRatio(), 1.0);
    EXPECT_FALSE(grey.hasAlphaChannel());
    const QRgb p = grey.pixel(10, 10);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    EXPECT_EQ(qRed(p), (30 * 200 + 59 * 40 + 11 * 40 + 50) / 100);
    EXPECT_EQ(source.pixelColor(0, 0), QColor(200, 40, 40)); // the source is untouched

    QImage levels(256, 1, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
        levels.setPixel(x, 0, qRgb(x, x, x));
    const QImage kept = finder::luminosityImage(levels);
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(qRed(kept.pixel(x, 0)), x);

    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_EQ(finder::luminosityImage(clear).pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_TRUE(finder::luminosityImage(QImage()).isNull());
}

TEST_F(MainScreen, InstructionsOverlayFlipsEachViewFromItsOwnFlag)
{
    std::vector<QWidget*> overlay = {named("imageInstruc"), named("setasInstruc")};
    for (int i = 1; i <= 12; ++i)
        overlay.push_back(named(("label_instr" + std::to_string(i)).c_str()));
    for (QWidget* part : overlay) {
        ASSERT_NE(part, nullptr);
        EXPECT_TRUE(part->isHidden());
    }

    QTest::mouseClick(named<QAbstractButton>("ShowInstruc"), Qt::LeftButton);
    for (QWidget* part : overlay)
        EXPECT_FALSE(part->isHidden());
    EXPECT_FALSE(named<QLabel>("imageInstruc")->pixmap().isNull());
    EXPECT_FALSE(named<QLabel>("setasInstruc")->pixmap().isNull());
    QWidget* odd = named("label_instr5");
    odd->hide(); // one view out of step with the others
    screen->ShowInstruc();
    for (QWidget* part : overlay)
        EXPECT_EQ(part->isHidden(), part != odd);
}

// While the overlay shows, Escape or a click anywhere on the screen closes it;
// the click reaches no control beneath.
TEST_F(MainScreen, EscapeOrAClickClosesTheInstructionsOverlay)
{
    QWidget* view = screen->view();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    QWindow* window = view->windowHandle();
    QWidget* part = named("label_instr3");
    QAbstractButton* toggle = named<QAbstractButton>("ShowInstruc");

    QTest::mouseClick(window, Qt::LeftButton, {}, toggle->geometry().center());
    ASSERT_TRUE(part->isVisible());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(part->isHidden());

    QTest::mouseClick(window, Qt::LeftButton, {}, toggle->geometry().center());
    ASSERT_TRUE(part->isVisible());
    finder::TableView* types = table("tableViewTipo");
    const QPoint typeRow =
        types->viewport()->mapTo(view, types->visualRect(types->model()->index(5, 0)).center());
    QTest::mouseClick(window, Qt::LeftButton, {}, typeRow);
    EXPECT_TRUE(part->isHidden());
    EXPECT_EQ(textOf("tipoText"), " *"); // the row beneath was not chosen
    QTest::mouseClick(window, Qt::LeftButton, {}, typeRow);
    EXPECT_NE(textOf("tipoText"), " *"); // once closed, clicks reach it again
}

// The sound switch starts as the layout draws it, title included, and keeps
// that title when its look is redrawn; the root and type fields take no typing.
TEST_F(MainScreen, TheSoundSwitchShowsItsTitleAndTheFieldsAreOnlyShown)
{
    auto* soundSwitch = named<platform::Button>("AudioOnOff");
    EXPECT_EQ(soundSwitch->tag(), 1);
    EXPECT_EQ(soundSwitch->title(), " on");
    soundSwitch->setImage(soundSwitch->imageName()); // a redraw of its look
    EXPECT_EQ(soundSwitch->text(), " on");
    EXPECT_FALSE(named("ButtonPaleta")->isHidden());

    QWidget* view = screen->view();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    for (const char* name : {"tonicaText", "tipoText"}) {
        auto* field = named<QLineEdit>(name);
        EXPECT_TRUE(field->isReadOnly()) << name;
        QTest::mouseClick(view->windowHandle(), Qt::LeftButton, {}, field->geometry().center());
        EXPECT_FALSE(field->hasFocus()) << name; // no caret in it
        EXPECT_EQ(field->cursor().shape(), Qt::ArrowCursor) << name;
        // Drawn on the screen's own background, boxless, unlike a field that
        // takes typing: inside its top right corner as just outside it.
        const auto colourAt = [view](QPoint at) {
            return view->grab(QRect(at, QSize(1, 1))).toImage().pixelColor(0, 0);
        };
        const QPoint corner = field->geometry().topRight();
        EXPECT_EQ(colourAt(corner + QPoint(-2, 2)), colourAt(corner + QPoint(3, 2))) << name;
    }
}

// A second start-up wires nothing again: one click is one action.
TEST_F(MainScreen, StartUpRunTwiceWiresEveryActionOnce)
{
    screen->viewDidLoad();
    QTest::mouseClick(named<QAbstractButton>("ShowInstruc"), Qt::LeftButton);
    EXPECT_FALSE(named("imageInstruc")->isHidden());
    QTest::mouseClick(named<QAbstractButton>("FavoriteOnOff"), Qt::LeftButton);
    EXPECT_EQ(finder().filteredFavorite()->size(), 1u);
    EXPECT_EQ(textOf("FavNumber"), "001"); // one mark, not three toggles
    named<QLineEdit>("searchBar")->setText("m7");
    EXPECT_EQ(finder().filteredTableData()->size(), 551u);
    EXPECT_EQ(screen->view()->findChildren<platform::ActivityIndicator*>().size(), 1);
}

// On a system without the loading indicator the bank still loads.
TEST(MainScreenOlderSystem, LoadsTheBankWithoutAnIndicator)
{
    platform::setSystemVersion(12);
    auto screen =
        std::make_shared<finder::FirstViewController>(std::make_unique<FakePageFetcher>());
    screen->view();
    platform::setSystemVersion(13);
    EXPECT_EQ(screen->view()->findChild<platform::ActivityIndicator*>(), nullptr);
    screen->LoadAudioSessions();
    platform::drainMainQueue();
    EXPECT_NE(screen->fretboard()->sampleBank().player(6, 3), nullptr);
}

// The tables' models hold their lists, not the screen: a view that outlives
// its screen still paints.
TEST(MainScreenLifetime, ATableOutlivingItsScreenStillPaints)
{
    auto screen =
        std::make_shared<finder::FirstViewController>(std::make_unique<FakePageFetcher>());
    QPointer<finder::TableView> photos = screen->outlet<finder::TableView>("tableViewFotos");
    photos->resize(226, 466);
    screen.reset(); // the view goes on a later turn
    ASSERT_TRUE(photos);
    EXPECT_FALSE(photos->grab().isNull());
    EXPECT_EQ(photos->model()->index(0, 0).data().toString(), "C");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(photos);
}

// While a page is fetched the screen takes no input: no second fetch starts
// and no other control reaches the screen.
TEST_F(MainScreen, NothingReEntersTheScreenWhileAFetchRuns)
{
    auto* open = named<QAbstractButton>("buttonAbrirCifra");
    auto* star = named<QAbstractButton>("FavoriteOnOff");
    fetcher->setPage("http://cifras.test/", "<b>Am</b>");
    named<QLineEdit>("LinkCifra")->setText("http://cifras.test/");
    fetcher->duringFetch = [&] {
        QTest::mouseClick(open, Qt::LeftButton);
        QTest::mouseClick(star, Qt::LeftButton);
        screen->abrirCifra(nullptr);
    };
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_EQ(fetcher->requests.size(), 1u);
    EXPECT_TRUE(finder().filteredFavorite()->empty());
    ASSERT_TRUE(support::pageShown(*screen));
    EXPECT_TRUE(named<QTextEdit>("textHTML")->toPlainText().contains("Am"));
    // Afterwards the controls work again.
    fetcher->duringFetch = nullptr;
    QTest::mouseClick(star, Qt::LeftButton);
    EXPECT_EQ(finder().filteredFavorite()->size(), 1u);
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_EQ(fetcher->requests.size(), 2u);
}

// A chosen chord brings its own root to the root field and the root marks,
// whatever root was chosen before.
TEST_F(MainScreen, AChosenChordBringsItsRootToTheFieldAndTheMarks)
{
    named<QLineEdit>("searchBar")->setText("Dm7");
    ASSERT_EQ(shown().front()->Cifra, "Dm7");
    screen->tableViewDidSelectRow(table("tableViewCifras"), 0);
    EXPECT_EQ(textOf("tonicaText"), "D ");
    // Frets 1, 1, 2, 0: the open D string is the root, the C of string 2 is not.
    EXPECT_EQ(marks(*screen->fretboard()), "C1C1:B C2C1:B C3C2:B C4C0:T");
}

// The star shows the mark of each chord chosen: full for a marked one, empty
// for one that is not.
TEST_F(MainScreen, TheStarShowsTheMarkOfEachChosenChord)
{
    auto* star = named<platform::Button>("FavoriteOnOff");
    screen->tableViewDidSelectRow(table("tableViewCifras"), 0);
    QTest::mouseClick(star, Qt::LeftButton);
    for (int pass = 0; pass < 2; ++pass) {
        screen->tableViewDidSelectRow(table("tableViewCifras"), 1);
        EXPECT_EQ(star->imageName(), "icone-favorite.png");
        EXPECT_EQ(star->tag(), 0);
        EXPECT_EQ(textOf("labelFavorite"), " ");
        screen->tableViewDidSelectRow(table("tableViewFotos"), 0);
        EXPECT_EQ(star->imageName(), "icone-favorite-set.png");
        EXPECT_EQ(star->tag(), 1);
        EXPECT_EQ(textOf("labelFavorite"), "*");
    }
}

// Keyboard focus on the main screen: it shows on every stop, in the dark
// look, whichever pane of the side panel is in front; a fetch gives it back;
// Tab leaves the page-source box.
#include "MainScreenFixture.h"
#include "platform/TextView.h"
#include "support/FocusStops.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <algorithm>

namespace {

// The main screen shown and active, its import pane in front.
void showImportPane(MainScreen& test)
{
    QWidget* view = test.screen->view();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    test.named<QTabWidget>("painelLateral")->setCurrentWidget(test.named("abaImportar"));
}

} // namespace

TEST_F(MainScreen, EveryFocusStopShowsItsFocus)
{
    testsupport::DarkLook dark;
    QWidget* view = screen->view();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));

    // With each pane of the side panel in front.
    const std::pair<const char*, std::vector<const char*>> panes[] = {
        {"abaFavoritos",
         {"tableViewCifras", "tableViewFav", "FavoriteOnOff", "AudioOnOff", "qt_tabwidget_tabbar",
          "searchBar"}},
        {"abaImportar",
         {"LinkCifra", "buttonAbrirCifra", "WebViewCifra", "textHTML", "buttonLerCifras",
          "textPlain"}}};
    for (const auto& [pane, stops] : panes) {
        named<QTabWidget>("painelLateral")->setCurrentWidget(named(pane));
        const testsupport::FocusStops round = testsupport::tabRound(view);
        EXPECT_TRUE(round.comesRound) << pane;
        EXPECT_EQ(round.unseen, std::vector<std::string>{}) << pane;
        for (const char* stop : stops)
            EXPECT_NE(std::find(round.stops.begin(), round.stops.end(), stop), round.stops.end())
                << pane << ": " << stop;
    }
}

// The screen takes no input while a fetch runs; when it ends, whether it
// gave a page or not, the control that started it has the focus again.
TEST_F(MainScreen, AFetchGivesTheFocusBackToTheControlThatStartedIt)
{
    showImportPane(*this);
    auto* address = named<QLineEdit>("LinkCifra");
    auto* button = named<QAbstractButton>("buttonAbrirCifra");
    fetcher->setPage("http://cifras.test/", "<b>Am</b>");
    const platform::LogCapture log;
    for (const char* page : {"http://cifras.test/", "http://cifras.test/ausente"}) {
        address->setText(QString::fromLatin1(page));
        address->setFocus();
        QTest::keyClick(address, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), address) << page;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), button) << page;
    }
    EXPECT_EQ(fetcher->requests.size(), 4u);
    EXPECT_FALSE(textOf("mensagemImportar").isEmpty()); // the last fetch failed
}

// Tab in the page-source box moves on instead of typing a tab; the box still
// takes what is typed.
TEST_F(MainScreen, TabLeavesThePageSourceBox)
{
    showImportPane(*this);
    auto* source = named<platform::TextView>("textHTML");
    source->setText("<b>Am</b>");
    source->setFocus();
    source->moveCursor(QTextCursor::End);
    QTest::keyClick(source, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), named("buttonLerCifras"));
    EXPECT_EQ(source->text(), "<b>Am</b>");
    source->setFocus();
    QTest::keyClicks(source, " <b>G7</b>");
    EXPECT_EQ(source->text(), "<b>Am</b> <b>G7</b>");
}

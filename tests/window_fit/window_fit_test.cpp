// The launched application on a 1366 x 768 screen: the window's frame stays
// on the screen, and the main screen, drawn for 1164 x 800, shows whole,
// scaled down, with its controls still taking clicks, keys and dialogs.
#include "app/AppDelegate.h"
#include "app/SecondViewController.h"
#include "app/Storyboard.h"
#include "platform/Alert.h"
#include "platform/Documents.h"
#include "platform/Log.h"
#include "platform/PageView.h"
#include "platform/TextView.h"
#include "support/FocusStops.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

class QuietSession : public platform::AudioSession {
public:
    platform::Result<void> setCategory(Category) override { return {}; }
    platform::Result<void> setActive(bool) override { return {}; }
};

struct WindowFit : ::testing::Test {
    QuietSession session;
    platform::Application application;
    app::AppDelegate delegate{session};
    platform::LogCapture quiet;
    platform::ViewControllerRef main = app::makeMainStoryboard();
    platform::Window* window = nullptr;

    void SetUp() override
    {
        // ctest names the screen; by hand: QT_QPA_PLATFORM=offscreen:configfile=<this
        // folder>/screen-1366x768.json
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1366, 768));
        platform::nameApplication(); // as the program names itself before it launches
        platform::launch(application, delegate, [this] { return main; });
        window = delegate.window.get();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override
    {
        main->dismissViewController();
        delegate.window->setRootViewController(nullptr);
    }
    // Where a control of the content shows, in the window's coordinates.
    QRect inWindow(QWidget* control) const
    {
        return QRect(window->mapFromGlobal(control->mapToGlobal(QPoint(0, 0))),
                     window->mapFromGlobal(control->mapToGlobal(control->rect().bottomRight())));
    }
};

TEST_F(WindowFit, FrameOnTheScreenAndEveryControlOfTheMainScreenWhole)
{
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window->frameGeometry())) << window->frameGeometry().y();
    // 764 of the 800 rows drawn fit between the frame's 2-pixel borders.
    EXPECT_NEAR(window->contentScale(), 764.0 / 800.0, 1e-3);
    EXPECT_EQ(window->height(), 764);

    int controls = 0;
    for (QWidget* control : main->view()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isVisibleTo(main->view()))
            continue;
        ++controls;
        EXPECT_TRUE(window->rect().contains(inWindow(control)))
            << control->objectName().toStdString() << " at " << inWindow(control).y() << "+"
            << inWindow(control).height();
    }
    EXPECT_GT(controls, 20);
    EXPECT_TRUE(window->rect().contains(inWindow(main->outlet<QWidget>("fretboard"))));

    // Put off the screen's top-left corner, the frame comes back to it.
    window->move(-40, -30);
    EXPECT_EQ(window->frameGeometry().topLeft(), screen.topLeft());
}

TEST_F(WindowFit, ScaledControlsTakeClicksKeysAndEscape)
{
    QWindow* native = window->windowHandle();
    auto* search = main->outlet<QLineEdit>("searchBar");
    EXPECT_TRUE(search->hasFocus()); // the first control, as in an unscaled window
    QTest::mouseClick(native, Qt::LeftButton, {}, inWindow(search).center());
    for (char key : std::string("Cm7"))
        QTest::keyClick(native, key);
    EXPECT_EQ(search->text(), QStringLiteral("Cm7"));

    QTest::mouseClick(native, Qt::LeftButton, {},
                      inWindow(main->outlet<QAbstractButton>("buttonSobre")).center());
    ASSERT_NE(dynamic_cast<app::SecondViewController*>(main->presentedViewController()), nullptr);
    QTest::keyClick(native, Qt::Key_Escape);
    EXPECT_EQ(main->presentedViewController(), nullptr);
}

TEST_F(WindowFit, DeleteOnASavedListAsksThroughTheScaledWindow)
{
    testsupport::TempFolder data;
    ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    const std::filesystem::path documents = platform::Documents::standard().directory();
    std::filesystem::create_directories(documents);
    std::ofstream(documents / "ensaio") << "<plist version=\"1.0\"><array/></plist>";

    QWindow* native = window->windowHandle();
    QTest::mouseClick(native, Qt::LeftButton, {},
                      inWindow(main->outlet<QAbstractButton>("buttonFavoritos")).center());
    platform::ViewController* favourites = main->presentedViewController();
    ASSERT_NE(favourites, nullptr);
    auto* lists = favourites->outlet<QListWidget>("tablePlist");
    ASSERT_EQ(lists->count(), 1);
    // A click opens the list and leaves it the selected row.
    const QPoint row = lists->visualItemRect(lists->item(0)).center();
    QTest::mouseClick(native, Qt::LeftButton, {},
                      window->mapFromGlobal(lists->viewport()->mapToGlobal(row)));
    ASSERT_TRUE(lists->item(0)->isSelected());

    QTest::keyClick(native, Qt::Key_Delete);
    QMessageBox* alert = platform::visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), QStringLiteral("ensaio"));
    // The question heads the alert, and its window bears the application's
    // name alone, which the window manager does not lengthen: a title bar as
    // narrow as the alert shows it whole.
    EXPECT_TRUE(alert->text().contains(QStringLiteral("Deseja Deletar?")));
    ASSERT_NE(alert->windowHandle(), nullptr);
    EXPECT_EQ(alert->windowHandle()->title().toStdString(), "Cifrário");
    EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Cifrário");
    const QFont titleFont = QGuiApplication::font();
    EXPECT_LT(QFontMetrics(titleFont).horizontalAdvance(alert->windowHandle()->title()),
              alert->width() / 2);
    platform::pressAlertButton(alert, 0);
    ::unsetenv("XDG_DATA_HOME");
}

TEST_F(WindowFit, DialogsOpenModalOverTheRealWindow)
{
    QMessageBox* alert = platform::showAlert(main->outlet<QWidget>("fretboard"), "Deseja Deletar?",
                                             "ensaio", "Cancelar", {"Deletar"}, nullptr, nullptr);
    EXPECT_EQ(alert->parentWidget(), window);
    EXPECT_EQ(QApplication::activeModalWidget(), alert);
    platform::pressAlertButton(alert, 0);
}

// The lines of text a box shows whole, scrolled to its top.
int linesShownWhole(const QTextEdit* box)
{
    const int height = box->viewport()->height();
    const QAbstractTextDocumentLayout* layout = box->document()->documentLayout();
    int lines = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        const double top = layout->blockBoundingRect(block).top();
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            if (top + block.layout()->lineAt(i).rect().bottom() <= height)
                ++lines;
    }
    return lines;
}

// The import pane gives its height to the page view and the source box, six
// lines each of a page, and leaves the plain-text box three; all within the
// pane.
TEST_F(WindowFit, TheImportPaneBoxesShowSixLinesOfAPage)
{
    QWidget* pane = main->outlet<QWidget>("abaImportar");
    main->outlet<QTabWidget>("painelLateral")->setCurrentWidget(pane);
    std::string page;
    for (int line = 1; line <= 20; ++line)
        page += "linha " + std::to_string(line) + "<br>\n";
    // Shown whole whatever the time: the clock stands still.
    main->outlet<platform::PageView>("WebViewCifra")->setLayoutBudget({});
    main->outlet<platform::TextView>("textHTML")->setLayoutBudget({});
    main->outlet<platform::TextView>("textPlain")->setLayoutBudget({});
    main->outlet<platform::PageView>("WebViewCifra")->showPage(page);
    main->outlet<platform::TextView>("textHTML")->setText(page);
    main->outlet<platform::TextView>("textPlain")->setText(page);
    const std::pair<const char*, int> boxes[] = {
        {"WebViewCifra", 6}, {"textHTML", 6}, {"textPlain", 3}};
    for (const auto& [name, least] : boxes) {
        const auto* box = main->outlet<QTextEdit>(name);
        EXPECT_GE(linesShownWhole(box), least) << name;
        EXPECT_TRUE(pane->rect().contains(box->geometry())) << name;
    }
}

// Keyboard focus shows on every stop of each screen in the scaled window as
// it does unscaled, the buttons' focus frames and the import pane's text
// boxes included, and Tab comes round from the last stop to the first. The
// key goes to the window, as a user's does, and each stop is pictured as the
// window shows it.
TEST_F(WindowFit, EveryFocusStopOfEveryScreenShowsItsFocusScaled)
{
    ASSERT_LT(window->contentScale(), 1.0);
    QWindow* native = window->windowHandle();
    QWidget* const page = main->view()->window();
    ASSERT_NE(page, window); // the content is shown through the scaling view
    const testsupport::TabRoundDriver driver{
        [native] { QTest::keyClick(native, Qt::Key_Tab); }, [page] { return page->focusWidget(); },
        [this](QWidget* control) {
            return window->grab(inWindow(control).adjusted(-2, -2, 2, 2)).toImage();
        }};
    const auto tabRound = [&driver](const std::string& screen) {
        const testsupport::FocusStops round = testsupport::tabRound(driver);
        EXPECT_TRUE(round.comesRound) << screen;
        EXPECT_EQ(round.unseen, std::vector<std::string>{}) << screen;
        for (std::size_t i = 0; i < round.stops.size(); ++i)
            std::printf("%s: %s changes %d pixels\n", screen.c_str(), round.stops[i].c_str(),
                        round.changed[i]);
        return round.stops;
    };

    const std::vector<std::string> stops = tabRound("main");
    for (const char* button :
         {"SetTypeM", "SetTypem", "SetType7", "SetTypedim", "buttonFiltroFavoritos", "ShowInstruc",
          "buttonSobre", "FavoriteOnOff", "AudioOnOff", "ButtonPaleta", "buttonClearNeck",
          "buttonFavoritos", "buttonGrade", "buttonLimparFavoritos"})
        EXPECT_NE(std::find(stops.begin(), stops.end(), button), stops.end()) << button;
    // Back from the first stop, the last one.
    ASSERT_EQ(testsupport::nameOf(page->focusWidget()), stops.front());
    QTest::keyClick(native, Qt::Key_Backtab);
    EXPECT_EQ(testsupport::nameOf(page->focusWidget()), stops.back());

    auto* sidePanel = main->outlet<QTabWidget>("painelLateral");
    sidePanel->setCurrentWidget(main->outlet<QWidget>("abaImportar"));
    const std::vector<std::string> importStops = tabRound("main, import pane");
    for (const char* box : {"LinkCifra", "WebViewCifra", "textHTML", "textPlain"})
        EXPECT_NE(std::find(importStops.begin(), importStops.end(), box), importStops.end()) << box;
    sidePanel->setCurrentWidget(main->outlet<QWidget>("abaFavoritos"));

    for (const char* opener : {"buttonFavoritos", "buttonGrade", "buttonSobre"}) {
        QTest::mouseClick(native, Qt::LeftButton, {},
                          inWindow(main->outlet<QAbstractButton>(opener)).center());
        ASSERT_NE(main->presentedViewController(), nullptr) << opener;
        tabRound(opener);
        QTest::keyClick(native, Qt::Key_Escape);
        ASSERT_EQ(main->presentedViewController(), nullptr) << opener;
    }
}

} // namespace

// The favourites screen's flow as a user runs it in the application's window,
// round after round: open a list (written by Python's plistlib, or by us),
// press Delete, answer "Cancelar"; now and then back to the main screen and
// in again. Clicks and keys enter through the window as the window system
// delivers them, so through the scaling view when the window is smaller than
// the screens' design. Each round ends with the list still on disk, the grid
// holding the opened list and the screen still up.
//
// CIFRARIO_FLOW_ROUNDS sets the number of rounds (default 24). scripts/fav-flow
// runs hundreds of them under Xvfb with core dumps on, in the ordinary build
// and in one with AddressSanitizer.
#include "FavouritesFixture.h"

#include "app/AppDelegate.h"
#include "app/Storyboard.h"
#include "catalogue/SourceFiles.h"
#include "favourites/FavViewController.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Log.h"
#include "platform/Window.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>

namespace {

class QuietSession : public platform::AudioSession {
public:
    platform::Result<void> setCategory(Category) override { return {}; }
    platform::Result<void> setActive(bool) override { return {}; }
};

// The process's resident memory in kB, from /proc; 0 where there is none.
long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

int rounds()
{
    const char* text = std::getenv("CIFRARIO_FLOW_ROUNDS");
    return text ? std::atoi(text) : 24;
}

class FavouritesFlow : public favtest::ScratchDataFolder {
protected:
    void SetUp() override
    {
        ScratchDataFolder::SetUp();
        for (const char* name : {"plistlib-favourites.bplist", "plistlib-mixed.bplist",
                                 "plistlib-long.bplist", "plistlib-empty.bplist"})
            std::filesystem::copy_file(sourcePath(std::string("tests/lists/data/") + name),
                                       documents() / name);
        std::ofstream(documents() / "xml") << "<plist version=\"1.0\"><array><string>000059"
                                              "</string></array></plist>";
        platform::launch(application, delegate, [this] { return main; });
        window = delegate.window.get();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override
    {
        main->dismissViewController();
        delegate.window->setRootViewController(nullptr);
    }

    // Where a control shows, in the window's coordinates.
    QPoint inWindow(QWidget* control, QPoint at) const
    {
        return window->mapFromGlobal(control->mapToGlobal(at));
    }
    void click(QWidget* control, QPoint at, bool twice = false)
    {
        QWindow* native = window->windowHandle();
        if (twice)
            QTest::mouseDClick(native, Qt::LeftButton, {}, inWindow(control, at));
        else
            QTest::mouseClick(native, Qt::LeftButton, {}, inWindow(control, at));
    }
    void click(QAbstractButton* button) { click(button, button->rect().center()); }

    favourites::FavViewController* favouritesScreen() const
    {
        return dynamic_cast<favourites::FavViewController*>(main->presentedViewController());
    }

    QuietSession session;
    platform::Application application;
    app::AppDelegate delegate{session};
    platform::ViewControllerRef main = app::makeMainStoryboard();
    platform::Window* window = nullptr;
};

} // namespace

TEST_F(FavouritesFlow, OpenDeleteCancelAndBackRoundAfterRound)
{
    const std::vector<std::string> names{"plistlib-favourites.bplist", "plistlib-mixed.bplist",
                                         "plistlib-long.bplist", "plistlib-empty.bplist", "xml"};
    std::map<std::string, std::size_t> opened; // the grid's size after each list's first open
    std::mt19937 random(7);
    // A user waits a moment between actions, or none.
    const auto pause = [&] { QTest::qWait(static_cast<int>(random() % 3) * 10); };

    // The script's log says which way the window showed its content, and
    // whether the rounds made the process grow.
    std::printf("content scale %.3f\n", window->contentScale());
    click(main->outlet<QAbstractButton>("buttonFavoritos"));
    const int total = rounds();
    long afterFirst = 0;
    for (int round = 0; round < total; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        favourites::FavViewController* screen = favouritesScreen();
        ASSERT_NE(screen, nullptr);
        auto* table = screen->outlet<QListWidget>("tablePlist");
        const std::size_t which = random() % names.size();
        const std::string& name = names[which];
        const auto rows = table->findItems(QString::fromStdString(name), Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1);

        platform::LogCapture log;
        click(table->viewport(), table->visualItemRect(rows.front()).center(), round % 7 == 3);
        ASSERT_TRUE(log.contains("selecionada: " + name));
        const std::size_t shown = screen->filteredTableData()->size();
        EXPECT_EQ(shown == 0, name == "plistlib-empty.bplist");
        EXPECT_EQ(opened.emplace(name, shown).first->second, shown);
        pause();

        QTest::keyClick(window->windowHandle(), Qt::Key_Delete);
        QMessageBox* alert = platform::visibleAlert();
        ASSERT_NE(alert, nullptr);
        ASSERT_TRUE(log.contains("selecionadaExcluir: " + name));
        pause();
        QAbstractButton* cancel = alert->buttons().size() == 2 ? alert->escapeButton() : nullptr;
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(alert->windowHandle(), Qt::LeftButton, {},
                          cancel->mapTo(alert, cancel->rect().center()));
        EXPECT_EQ(platform::visibleAlert(), nullptr);
        EXPECT_TRUE(std::filesystem::exists(documents() / name));
        pause();

        if (round == 0)
            afterFirst = residentKb();
        if (round % 5 == 4) {
            click(screen->outlet<QAbstractButton>("retornarFirstView"));
            ASSERT_EQ(main->presentedViewController(), nullptr);
            pause();
            click(main->outlet<QAbstractButton>("buttonFavoritos"));
        }
    }
    EXPECT_EQ(favouritesScreen()->outlet<QListWidget>("tablePlist")->count(), 5);
    std::printf("resident memory %ld kB after round 1, %ld kB after round %d\n", afterFirst,
                residentKb(), total);
}

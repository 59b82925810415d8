// The fetched page is read off the main thread: a page asked for anew
// supersedes the one still being read, whose reading is stopped and never
// shown, and closing the program while a page is read ends it at once.
#include "finder/FirstViewController.h"
#include "support/FakePageFetcher.h"
#include "support/PageShown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace {

// A reader that holds the reading of one page until it is asked to stop, as a
// slow page would hold it; any other page it reads as the program does.
struct HeldReading {
    std::string heldPage;
    std::atomic<bool> started = false;
    std::atomic<bool> stopped = false;
    std::function<void()> onStart;

    finder::ImportPane::Reader reader()
    {
        return [this](const std::string& bytes, const std::stop_token& stop) {
            if (bytes != heldPage)
                return finder::readPage(bytes, stop);
            started = true;
            if (onStart)
                onStart();
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            wake.wait(lock, stop, [] { return false; });
            stopped = stop.stop_requested();
            return finder::readPage(bytes, stop);
        };
    }
};

void open(finder::FirstViewController& screen, const char* address)
{
    screen.outlet<QLineEdit>("LinkCifra")->setText(address);
    QTest::mouseClick(screen.outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
}

} // namespace

TEST(PageReading, ANewPageSupersedesTheOneStillBeingRead)
{
    ::alarm(60); // a reading never stopped would hang the test here
    auto fetcher = std::make_unique<FakePageFetcher>();
    fetcher->setPage("http://lenta.test/", "<p><b>Am</b> lenta");
    fetcher->setPage("http://rapida.test/", "<p><b>G7</b> rápida");
    auto screen = std::make_shared<finder::FirstViewController>(std::move(fetcher));
    HeldReading held;
    held.heldPage = "<p><b>Am</b> lenta";
    screen->importPane().setReader(held.reader());
    open(*screen, "http://lenta.test/");
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.started.load(); }));
    // The names asked for meanwhile are read from the page shown next.
    QTest::mouseClick(screen->outlet<QAbstractButton>("buttonLerCifras"), Qt::LeftButton);
    open(*screen, "http://rapida.test/");
    EXPECT_TRUE(held.stopped);
    ASSERT_TRUE(support::pageShown(*screen));
    QCoreApplication::processEvents(); // nothing of the first page is left to show
    EXPECT_EQ(screen->outlet<QTextEdit>("WebViewCifra")->toPlainText(), "G7 rápida");
    EXPECT_EQ(screen->outlet<QTextEdit>("textHTML")->toPlainText(), "<p><b>G7</b> rápida");
    ASSERT_EQ(screen->finder().filteredFavorite()->size(), 1u);
    EXPECT_EQ(screen->finder().filteredFavorite()->front()->Cifra, "G7");
    ::alarm(0);
}

TEST(PageReading, ClosingTheProgramWhileAPageIsReadEndsItAtOnce)
{
    auto fetcher = std::make_unique<FakePageFetcher>();
    fetcher->setPage("http://lenta.test/", "<b>Am</b>");
    auto screen = std::make_shared<finder::FirstViewController>(std::move(fetcher));
    QWidget* window = screen->view();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    HeldReading held;
    held.heldPage = "<b>Am</b>";
    // The page is being read: the user closes the window.
    held.onStart = [window] {
        QMetaObject::invokeMethod(
            window, [window] { window->close(); }, Qt::QueuedConnection);
    };
    screen->importPane().setReader(held.reader());
    QTimer::singleShot(0, [&] { open(*screen, "http://lenta.test/"); });
    ::alarm(60); // a reading that held the program would stop the test binary here
    EXPECT_EQ(QApplication::exec(), 0);
    screen.reset(); // as the program lets its screens go on leaving its event loop
    ::alarm(0);
    EXPECT_TRUE(held.started);
    EXPECT_TRUE(held.stopped);
}

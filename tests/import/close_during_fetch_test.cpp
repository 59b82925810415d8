// Closing the window while a page is fetched: the fetch is cancelled and the
// program's event loop ends at once, however long the server keeps silent.
#include "fetch/LocalHttpServer.h"
#include "finder/FirstViewController.h"
#include "platform/Log.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <unistd.h>

TEST(CloseDuringFetch, ClosingTheWindowCancelsTheFetchAndTheProgramEnds)
{
    using namespace std::chrono_literals;
    qputenv("no_proxy", "127.0.0.1");
    auto screen = std::make_shared<finder::FirstViewController>(
        std::make_unique<platform::CurlPageFetcher>(platform::PageFetchLimits{600s}));
    QWidget* window = screen->view();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    LocalHttpServer server([window](const std::string&) -> LocalHttpServer::Response {
        // The request has arrived: the user closes the window.
        QMetaObject::invokeMethod(
            window, [window] { window->close(); }, Qt::QueuedConnection);
        return {200, "<b>Am</b>", 600s}; // no answer while the test lasts
    });
    screen->outlet<QLineEdit>("LinkCifra")->setText(QString::fromStdString(server.url("/muda")));
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(screen->outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
    });
    platform::LogCapture log;
    ::alarm(60); // the fetch waiting for its ten-minute bound stops the test binary here
    EXPECT_EQ(QApplication::exec(), 0);
    ::alarm(0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Página não carregada: " + server.url("/muda") +
                                                    ": fetch cancelled: the program is closing"});
}

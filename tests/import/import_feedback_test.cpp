// What the user meets when importing: Enter in the address field opens the
// page as the button does, and while a slow server holds the fetch an
// activity indicator turns over the greyed screen, clearly seen in the dark
// look.
#include "fetch/LocalHttpServer.h"
#include "finder/FirstViewController.h"
#include "platform/ActivityIndicator.h"
#include "platform/TextView.h"
#include "support/FocusStops.h"
#include "support/PageShown.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <future>

using namespace std::chrono_literals;

namespace {

class ImportFeedback : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    }

    std::shared_ptr<finder::FirstViewController> screen_ =
        std::make_shared<finder::FirstViewController>();
    QWidget* window_ = screen_->view();
    QLineEdit* address_ = screen_->outlet<QLineEdit>("LinkCifra");
    platform::TextView* source_ = screen_->outlet<platform::TextView>("textHTML");
};

} // namespace

TEST_F(ImportFeedback, EnterInTheAddressFieldOpensThePage)
{
    LocalHttpServer server([](const std::string& path) -> LocalHttpServer::Response {
        return {200, "<b>Am</b> " + path};
    });
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        const std::string path = key == Qt::Key_Return ? "/return" : "/enter";
        address_->setText(QString::fromStdString(server.url(path)));
        QTest::keyClick(address_, key);
        ASSERT_TRUE(support::pageShown(*screen_));
        EXPECT_EQ(source_->text(), "<b>Am</b> " + path);
    }
    EXPECT_EQ(server.accepts(), 2);
}

TEST_F(ImportFeedback, AnIndicatorTurnsOverTheGreyedScreenWhileTheServerIsSlow)
{
    // Seen while the server holds the request, which it answers only then.
    struct Sight {
        bool screenEnabled = true;
        bool visible = false;
        bool animating = false;
        bool centred = false;
        bool onTop = false;
        bool turned = false; // painted a different frame later
        int standsOut = 0;   // its pixels that differ clearly from the screen under it
    } sight;
    const testsupport::DarkLook dark;
    std::promise<void> seen;
    const auto look = [&] {
        auto* indicator = window_->findChild<platform::ActivityIndicator*>("indicadorImportar");
        sight.screenEnabled = window_->isEnabled();
        if (indicator) {
            sight.visible = indicator->isVisible();
            sight.animating = indicator->isAnimating();
            sight.centred = indicator->geometry().center() == window_->rect().center();
            sight.onTop = window_->children().constLast() == indicator;
            const QImage shown = window_->grab(indicator->geometry()).toImage();
            indicator->hide();
            sight.standsOut = testsupport::clearlyChangedPixels(
                shown, window_->grab(indicator->geometry()).toImage());
            indicator->show();
            const QImage first = indicator->grab().toImage();
            sight.turned = QTest::qWaitFor([&] { return indicator->grab().toImage() != first; });
        }
        seen.set_value();
    };
    LocalHttpServer server([&](const std::string&) -> LocalHttpServer::Response {
        QMetaObject::invokeMethod(window_, look, Qt::QueuedConnection);
        seen.get_future().wait_for(20s);
        return {200, "<b>Am</b>"};
    });
    address_->setText(QString::fromStdString(server.url("/lenta")));
    QTest::keyClick(address_, Qt::Key_Return);
    ASSERT_TRUE(support::pageShown(*screen_));
    ASSERT_EQ(source_->text(), "<b>Am</b>");
    EXPECT_FALSE(sight.screenEnabled);
    EXPECT_TRUE(sight.visible);
    EXPECT_TRUE(sight.animating);
    EXPECT_TRUE(sight.centred);
    EXPECT_TRUE(sight.onTop);
    EXPECT_TRUE(sight.turned);
    // Seen at once: as many clearly changed pixels as a 35-pixel square.
    EXPECT_GE(sight.standsOut, 35 * 35);

    // Afterwards the screen takes input again and the indicator is gone.
    auto* indicator = window_->findChild<platform::ActivityIndicator*>("indicadorImportar");
    ASSERT_NE(indicator, nullptr);
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_FALSE(indicator->isAnimating());
}

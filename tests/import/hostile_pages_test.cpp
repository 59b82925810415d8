// Hostile pages imported through the main screen: the screen shows them
// without loading what they name, without hanging, and comes back at once;
// the import still reads the page as fetched.
#include "fetch/LocalHttpServer.h"
#include "fetch/PageTestSupport.h"
#include "finder/ChordFinder.h"
#include "finder/FirstViewController.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using pagetest::imagesIn;
using pagetest::repeated;

namespace {
class HostilePages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::alarm(120); // a hang stops the test binary here
        fifo_ = std::filesystem::temp_directory_path() /
                ("cifrario-page-fifo-" + std::to_string(::getpid()));
        // A run killed by the alarm leaves its FIFO; a later process may get its pid.
        std::filesystem::remove(fifo_);
        ASSERT_EQ(::mkfifo(fifo_.c_str(), 0600), 0);
        screen_->view();
    }
    void TearDown() override
    {
        std::filesystem::remove(fifo_);
        ::alarm(0);
    }

    template <class T> T* outlet(const char* name) { return screen_->view()->findChild<T*>(name); }

    // Types the address and presses the open button, as the user would.
    void open(const std::string& address)
    {
        outlet<QLineEdit>("LinkCifra")->setText(QString::fromStdString(address));
        QTest::mouseClick(outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
    }

    std::filesystem::path fifo_;
    std::map<std::string, std::string> pages_;
    LocalHttpServer server_{[this](const std::string& path) -> LocalHttpServer::Response {
        const auto page = pages_.find(path);
        return page == pages_.end() ? LocalHttpServer::Response{404, ""}
                                    : LocalHttpServer::Response{200, page->second};
    }};
    std::shared_ptr<finder::FirstViewController> screen_ =
        std::make_shared<finder::FirstViewController>();
};
} // namespace

TEST_F(HostilePages, APageNamingDevicesFifosAndFilesLoadsNone)
{
    const std::string page = "<p><b>Am</b><img src=\"/dev/zero\"><img src=\"" + fifo_.string() +
                             "\"><img src=\"file:///etc/hostname\"><link rel=stylesheet "
                             "href=\"/dev/zero\"></p>";
    pages_["/hostil"] = page;
    open(server_.url("/hostil"));
    EXPECT_EQ(imagesIn(*outlet<QTextBrowser>("WebViewCifra")->document()), 0);
    EXPECT_EQ(outlet<QTextBrowser>("WebViewCifra")->toPlainText(), "Am");
    EXPECT_EQ(outlet<QTextEdit>("textHTML")->toPlainText().toStdString(), page);
}

TEST_F(HostilePages, DeeplyNestedAndHugePagesShowAndImportAtOnce)
{
    pages_["/b"] = repeated("<b>", 100000) + "fim";
    pages_["/div"] = repeated("<div>", 50000) + "fim";
    pages_["/am"] = repeated("<b>Am</b>", 5 * 1024 * 1024 / 9);
    for (const char* path : {"/b", "/div", "/am"}) {
        open(server_.url(path));
        EXPECT_EQ(outlet<QTextEdit>("textHTML")->toPlainText().size(),
                  static_cast<qsizetype>(pages_[path].size()))
            << path;
        EXPECT_FALSE(outlet<QTextBrowser>("WebViewCifra")->toPlainText().isEmpty()) << path;
    }
    QTest::mouseClick(outlet<QAbstractButton>("buttonLerCifras"), Qt::LeftButton);
    // Named 582,542 times, the chord joins the favourites once.
    ASSERT_EQ(screen_->finder().filteredFavorite()->size(), 1u);
    EXPECT_EQ(screen_->finder().filteredFavorite()->front()->Cifra, "Am");
}

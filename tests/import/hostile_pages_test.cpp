// Hostile pages imported through the main screen, shown and painted: the
// screen shows them without loading what they name, without hanging, and
// comes back at once; the import still reads the page whole as fetched.
#include "fetch/LocalHttpServer.h"
#include "fetch/PageTestSupport.h"
#include "finder/ChordFinder.h"
#include "finder/FirstViewController.h"
#include "platform/PageView.h"
#include "platform/TextView.h"
#include "support/PageShown.h"
#include "support/SteppingClock.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
        screen_->view()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen_->view()));
    }
    void TearDown() override
    {
        std::filesystem::remove(fifo_);
        ::alarm(0);
    }

    template <class T> T* outlet(const char* name) { return screen_->view()->findChild<T*>(name); }

    // Types the address and presses the open button, as the user would; then
    // the screen is painted, laying out what it shows.
    void open(const std::string& address)
    {
        outlet<QLineEdit>("LinkCifra")->setText(QString::fromStdString(address));
        QTest::mouseClick(outlet<QAbstractButton>("buttonAbrirCifra"), Qt::LeftButton);
        ASSERT_TRUE(support::pageShown(*screen_));
        EXPECT_FALSE(screen_->view()->grab().isNull());
    }
    void readNames()
    {
        QTest::mouseClick(outlet<QAbstractButton>("buttonLerCifras"), Qt::LeftButton);
        EXPECT_FALSE(screen_->view()->grab().isNull());
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
    const std::string fifo = fifo_.string();
    const std::string page =
        "<p><b>Am</b><img src=\"/dev/zero\"><img src=\"" + fifo +
        "\"><img src=\"file:///etc/hostname\"><link rel=stylesheet href=\"/dev/zero\"></p>"
        // Quotes that a reader of tags takes differently from the page view.
        "<p title=a\"><img src=\"" +
        fifo + "\">\"><b'><img src=\"" + fifo + "\"></b><br a=b\"><img src=\"" + fifo + "\">\">";
    pages_["/hostil"] = page;
    open(server_.url("/hostil"));
    EXPECT_EQ(imagesIn(*outlet<QTextBrowser>("WebViewCifra")->document()), 0);
    EXPECT_EQ(outlet<QTextBrowser>("WebViewCifra")->toPlainText(), "Am\n\">\n\">");
    EXPECT_EQ(outlet<platform::TextView>("textHTML")->text(), page);
    EXPECT_EQ(outlet<QTextEdit>("textHTML")->toPlainText().toStdString(), page);
}

TEST_F(HostilePages, DeeplyNestedHugeAndUnbrokenPagesShowAndImportAtOnce)
{
    pages_["/b"] = repeated("<b>", 100000) + "fim";
    pages_["/td"] = repeated("<td>", 20000) + "fim";
    pages_["/div"] = repeated("<div>", 50000) + "fim";
    pages_["/line"] = std::string(5 * 1024 * 1024, 'a');
    pages_["/am"] = repeated("<b>Am</b>", 5 * 1024 * 1024 / 9);
    auto* source = outlet<platform::TextView>("textHTML");
    auto* plain = outlet<platform::TextView>("textPlain");
    for (const char* path : {"/b", "/td", "/div", "/line", "/am"}) {
        open(server_.url(path));
        // The box shows the page's beginning and says it is cut; the page
        // is kept whole for the reading of names.
        EXPECT_EQ(source->text(), pages_[path]) << path;
        const QString shown = source->toPlainText();
        EXPECT_LT(shown.size(), 70 * 1024) << path;
        EXPECT_TRUE(shown.endsWith(QString(" de %1 bytes]").arg(pages_[path].size()))) << path;
        EXPECT_FALSE(outlet<QTextBrowser>("WebViewCifra")->toPlainText().isEmpty()) << path;
        readNames();
        EXPECT_LT(plain->toPlainText().size(), 70 * 1024) << path;
        EXPECT_EQ(plain->text(), pages_[path]) << path;
    }
    // Named 582,542 times, the chord joins the favourites once.
    ASSERT_EQ(screen_->finder().filteredFavorite()->size(), 1u);
    EXPECT_EQ(screen_->finder().filteredFavorite()->front()->Cifra, "Am");
}

// A NUL byte, or a page in UTF-16 with or without its byte-order mark, is
// decoded once: the view and the name scan read the same text to its end.
TEST_F(HostilePages, ANulOrUtf16PageIsShownAndReadWhole)
{
    const std::string replacement = "\xEF\xBF\xBD";
    const std::string page = "<p><b>Dm</b> e <b>C</b></p>";
    const auto utf16 = [&](bool littleEndian, bool mark) {
        std::string bytes = mark ? (littleEndian ? "\xFF\xFE" : "\xFE\xFF") : "";
        for (const char c : page)
            bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
        return bytes;
    };
    pages_["/nul"] = std::string("<p><b>Am</b>\0<b>G7</b> fim</p>", 30);
    open(server_.url("/nul"));
    EXPECT_EQ(outlet<QTextBrowser>("WebViewCifra")->toPlainText().toStdString(),
              "Am" + replacement + "G7 fim");
    EXPECT_EQ(outlet<platform::TextView>("textHTML")->text(),
              "<p><b>Am</b>" + replacement + "<b>G7</b> fim</p>");
    readNames();
    for (const bool littleEndian : {true, false}) {
        for (const bool mark : {true, false}) {
            pages_["/utf16"] = utf16(littleEndian, mark);
            open(server_.url("/utf16"));
            EXPECT_EQ(outlet<QTextBrowser>("WebViewCifra")->toPlainText(), "Dm e C");
            EXPECT_EQ(outlet<platform::TextView>("textHTML")->text(), page);
            readNames();
        }
    }
    std::vector<std::string> names;
    for (const auto& record : *screen_->finder().filteredFavorite())
        names.push_back(record->Cifra);
    EXPECT_EQ(names, (std::vector<std::string>{"Am", "G7", "Dm", "C"}));
}

// A tag of as many attributes as fit in the fetch bound, valued or not,
// distinct or repeated: the parser of the view would take twenty minutes over
// the distinct ones; it is handed the bare tag.
TEST_F(HostilePages, ATagOfManyAttributesShowsAtOnce)
{
    const std::size_t bound = 5 * 1024 * 1024;
    const std::string end = "><b>Am</b> fim</p>";
    for (const std::string value : {"", "=\"1\""}) {
        for (const bool distinct : {true, false}) {
            std::string page = "<p";
            for (std::size_t i = 0;; ++i) {
                const std::string piece = " a" + (distinct ? std::to_string(i) : "") + value;
                if (page.size() + piece.size() + end.size() > bound)
                    break;
                page += piece;
            }
            pages_["/atributos"] = page + end;
            open(server_.url("/atributos"));
            EXPECT_EQ(outlet<QTextBrowser>("WebViewCifra")->toPlainText(), "Am fim")
                << value << distinct;
            readNames();
        }
    }
    ASSERT_EQ(screen_->finder().filteredFavorite()->size(), 1u);
}

// The view shows a page cut, or its formats dropped, at its bounds (formats,
// parse errors, text, lines, the parser's events) and past its budget of
// layout time, and says so; the names are read from the page whole, past
// every cut.
TEST_F(HostilePages, NamesPastEveryCutOfTheViewAreRead)
{
    const std::vector<std::pair<std::string, std::string>> pages{
        {"/formatos", repeated("<i>x</i>", 2500) + "<b>Dm</b>"},
        {"/erros", repeated("</u>", 101000) + "<b>G7</b>"},
        {"/texto", "<p>" + repeated("x ", 40000) + "<b>Em</b>"},
        {"/linhas", "<pre>" + repeated("x\n", 10001) + "</pre><b>A</b>"},
        {"/eventos", repeated("<title>&x;</title>", 61000) + "<b>E</b>"},
        {"/tempo", repeated("<p>linha", 3000) + "<p><b>C</b>"}};
    auto* view = outlet<platform::PageView>("WebViewCifra");
    for (const auto& [path, page] : pages) {
        if (path == "/tempo") // each reading of the clock a millisecond later
            view->setLayoutBudget({std::chrono::nanoseconds(0),
                                   support::steppingClock(std::chrono::milliseconds(1))});
        pages_[path] = page;
        open(server_.url(path));
        EXPECT_TRUE(view->toPlainText().contains("[…")) << path;
        readNames();
    }
    std::vector<std::string> names;
    for (const auto& record : *screen_->finder().filteredFavorite())
        names.push_back(record->Cifra);
    EXPECT_EQ(names, (std::vector<std::string>{"Dm", "G7", "Em", "A", "E", "C"}));
}

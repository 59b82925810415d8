// The page view with hostile pages: nothing named is loaded, nothing blocks,
// and no page within the fetch bound takes long to show.
#include "PageTestSupport.h"
#include "platform/PageView.h"

#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::PageView;

using pagetest::imagesIn;
using pagetest::repeated;

TEST(PageView, LoadsNothingThePageNames)
{
    ::alarm(20); // a blocking open would stop the test binary here
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QFile picture(dir.filePath("p.png"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    QImage(4, 4, QImage::Format_RGB32).save(&picture, "PNG");
    picture.close();

    PageView view;
    // Whatever the document asks for, it gets nothing: a local file, a FIFO,
    // a device, or data the address holds.
    for (const QUrl& url : {QUrl::fromLocalFile(picture.fileName()), QUrl::fromLocalFile(fifo),
                            QUrl::fromLocalFile("/dev/zero"), QUrl("data:text/plain,secret"),
                            QUrl("http://127.0.0.1:9/x.png")}) {
        const QVariant resource = view.document()->resource(QTextDocument::ImageResource, url);
        EXPECT_TRUE(resource.toByteArray().isEmpty()) << url.toString().toStdString();
    }
    view.showPage("<p>antes<img src=\"/dev/zero\"><img src=\"" + fifo.toStdString() +
                  "\"><img src=\"" + picture.fileName().toStdString() +
                  "\"><link rel=stylesheet href=\"/dev/zero\">"
                  "<style>p { color: red }</style><script>x()</script>depois</p>");
    EXPECT_EQ(imagesIn(*view.document()), 0);
    EXPECT_EQ(view.toPlainText(), "antesdepois");
    ::alarm(0);
}

TEST(PageView, ShowsAnOrdinaryPageAsItsMarkupSays)
{
    PageView view;
    view.showPage("<html><body><h1>Cifras</h1><p><b>Am</b> e <i>G7</i> &amp; "
                  "<a href=\"x\">mais</a></p><table><tr><td>C</td><td>D</td></tr></table>"
                  "</body></html>");
    const QString text = view.toPlainText();
    EXPECT_TRUE(text.startsWith("Cifras\nAm e G7 & mais")) << text.toStdString();
    EXPECT_TRUE(text.contains("C") && text.contains("D"));
    // The bold name is still bold.
    const QTextBlock line = view.document()->findBlock(text.indexOf("Am"));
    EXPECT_EQ(line.begin().fragment().text(), "Am");
    EXPECT_GT(line.begin().fragment().charFormat().fontWeight(), QFont::Normal);
}

TEST(PageView, NoPageWithinTheFetchBoundIsSlowToShow)
{
    // Each of these takes from tens to hundreds of seconds in a plain text
    // browser; the figures are in the page view benchmark. Nested pages show
    // their text; the text of 5 MB pages is cut, and says so.
    const std::vector<std::tuple<std::string, std::string, QString>> pages{
        {"100,000 unclosed <b>", repeated("<b>", 100000) + "fim", "fim"},
        {"50,000 unclosed <div>", repeated("<div>", 50000) + "fim", "fim"},
        {"5 MB of <div>", repeated("<div>", 5 * 1024 * 1024 / 5) + "fim", "fim"},
        {"5 MB of <b>Am</b>", repeated("<b>Am</b>", 5 * 1024 * 1024 / 9), "\n[…]"}};
    for (const auto& [what, page, end] : pages) {
        PageView view;
        view.showPage(page);
        EXPECT_TRUE(view.toPlainText().endsWith(end)) << what;
    }
}

// The page view with hostile pages: nothing named is loaded, nothing blocks,
// and no page within the fetch bound takes long to show.
#include "PageTestSupport.h"
#include "platform/PageView.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
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
    // Whatever the document asks for, it gets a blank: a transparent pixel
    // for an image, nothing for a style sheet; never a local file, a FIFO, a
    // device, or data the address holds.
    for (const QUrl& url : {QUrl::fromLocalFile(picture.fileName()), QUrl::fromLocalFile(fifo),
                            QUrl::fromLocalFile("/dev/zero"), QUrl("data:text/plain,secret"),
                            QUrl("http://127.0.0.1:9/x.png")}) {
        const QVariant image = view.document()->resource(QTextDocument::ImageResource, url);
        EXPECT_EQ(qvariant_cast<QImage>(image).size(), QSize(1, 1)) << url.toString().toStdString();
        const QVariant sheet = view.document()->resource(QTextDocument::StyleSheetResource, url);
        EXPECT_TRUE(sheet.toByteArray().isEmpty()) << url.toString().toStdString();
    }
    // Images that reach the document all the same, drawn: the document takes
    // the blank and opens no path itself.
    view.setHtml(QStringLiteral("<img src=\"%1\"><img src=\"%2\">").arg(fifo, picture.fileName()));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_FALSE(view.grab().isNull());
    EXPECT_EQ(imagesIn(*view.document()), 2);
    const QVariant drawn =
        view.document()->resource(QTextDocument::ImageResource, QUrl(picture.fileName()));
    EXPECT_EQ(qvariant_cast<QImage>(drawn).size(), QSize(1, 1));
    view.showPage("<p>antes<img src=\"/dev/zero\"><img src=\"" + fifo.toStdString() +
                  "\"><img src=\"" + picture.fileName().toStdString() +
                  "\"><link rel=stylesheet href=\"/dev/zero\">"
                  "<style>p { color: red }</style><script>x()</script>depois</p>");
    EXPECT_EQ(imagesIn(*view.document()), 0);
    EXPECT_EQ(view.toPlainText(), "antesdepois");
    // Tags whose quotes hide an image from a reader of tags.
    for (const std::string& page :
         {"<p title=a\"><img src=\"" + fifo.toStdString() + "\">\">",
          "<b'><img src=\"" + fifo.toStdString() + "\">",
          "<br a=b\"><img src=\"" + picture.fileName().toStdString() + "\">\">"}) {
        view.showPage(page);
        EXPECT_FALSE(view.grab().isNull());
        EXPECT_EQ(imagesIn(*view.document()), 0) << page;
    }
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
    // The table is lines of text: the engine holds no frame for it.
    EXPECT_TRUE(view.document()->rootFrame()->childFrames().isEmpty());
    // The bold name is still bold.
    const QTextBlock line = view.document()->findBlock(text.indexOf("Am"));
    EXPECT_EQ(line.begin().fragment().text(), "Am");
    EXPECT_GT(line.begin().fragment().charFormat().fontWeight(), QFont::Normal);
}

TEST(PageView, NoPageWithinTheFetchBoundIsSlowToShow)
{
    // Each of these takes from tens to hundreds of seconds in a plain text
    // browser; the figures are in the page view and import benchmarks. Pages
    // nested past the parse bound and the text of 5 MB pages are cut, long
    // lists and many line breaks shown as plain lines, long runs of marks cut
    // short, and say so.
    ::alarm(120); // a page that holds the view stops the test binary here
    const std::vector<std::tuple<std::string, std::string, QString>> pages{
        {"100,000 unclosed <b>", repeated("<b>", 100000) + "fim", "[…]"},
        {"100,000 nested <b'>", repeated("<b'>", 100000) + "fim", "[…]"},
        {"50,000 unclosed <div>", repeated("<div>", 50000) + "fim", "[…]"},
        {"5 MB of <div>", repeated("<div>", 5 * 1024 * 1024 / 5) + "fim", "[…]"},
        {"5 MB of <b>Am</b>", repeated("<b>Am</b>", 5 * 1024 * 1024 / 9), "\n[…]"},
        {"a 5 MB word", std::string(5 * 1024 * 1024, 'a'), "\n[…]"},
        {"a list of 99,000 items", "<ul>" + repeated("<li>x", 99000),
         "[… listas longas mostradas como linhas]"},
        {"99,000 line breaks", repeated("x<br>", 99000),
         "[… linhas em branco omitidas: quebras de linha demais]"},
        {"5 MB of line separators", repeated("x\u2028", 5 * 1024 * 1024 / 4), "\n[…]"},
        {"a 5 MB run of marks", "a" + repeated("\u0301", 5 * 1024 * 1024 / 2),
         "[… marcas combinantes além de 30 omitidas]"}};
    PageView view;
    view.resize(190, 82); // as on the main screen
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (const auto& [what, page, end] : pages) {
        view.showPage(page);
        EXPECT_FALSE(view.grab().isNull());
        EXPECT_TRUE(view.toPlainText().endsWith(end)) << what;
    }
    ::alarm(0);
}

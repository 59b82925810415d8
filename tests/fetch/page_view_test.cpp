// The page view with hostile pages: nothing named is loaded, nothing blocks,
// and no page within the fetch bound is shown past the bounds that keep its
// layout quick.
#include "PageTestSupport.h"
#include "platform/PageView.h"
#include "platform/TextView.h"
#include "support/SteppingClock.h"

#include <QFontInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using platform::PageView;

using pagetest::imagesIn;
using pagetest::repeated;
using pagetest::Shape;
using pagetest::shapeOf;
using support::steppingClock;

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

TEST(PageView, EveryPageWithinTheFetchBoundShowsWithinTheLayoutBounds)
{
    // Each of these takes from seconds to hundreds of seconds, or never ends,
    // in a plain text browser; the figures are in the page view and import
    // benchmarks. Pages nested past the parse bound, and text past 64 KiB or
    // too many lines, are cut; long lists and many line breaks shown as plain
    // lines, long blocks split, inline formats past their bound written
    // plain, long runs of marks cut short (however invisible characters
    // split them), text changing direction or script too often cut; and each
    // says so. The layout budget never runs out here (its clock stands
    // still), so the bounds above are what hold. A layout that never ends
    // would stop the test binary at the alarm.
    ::alarm(300);
    const std::size_t fetchBound = 5 * 1024 * 1024;
    const std::string acutes = repeated("\u0301", 30);
    const std::string tanweens = repeated("\u064B", 30);
    const QString marksCut = "[… marcas combinantes além de 30 omitidas]";
    const QString linesCut = "[…]\n[… texto cortado: linhas demais]";
    const QString turnsCut = "[…]\n[… texto cortado: mudanças de direção ou de escrita demais]";
    const QString formatsDropped = "[… formatação omitida: mudanças de formato demais]";
    const QString deep = "[…]\n[… texto cortado: elementos aninhados demais]";
    const QString faults = "[…]\n[… texto cortado: erros de marcação demais]";
    const QString longPage = "[…]\n[… texto cortado: página longa demais]";
    struct Page {
        std::string what;
        std::string bytes;
        QString end; // the last line shown
    };
    const std::vector<Page> pages{
        {"100,000 unclosed <b>", repeated("<b>", 100000) + "fim", deep},
        {"100,000 nested <b'>", repeated("<b'>", 100000) + "fim", deep},
        {"50,000 unclosed <div>", repeated("<div>", 50000) + "fim", deep},
        {"5 MB of <div>", repeated("<div>", fetchBound / 5 - 1) + "fim", deep},
        {"5 MB of stray closing tags under 100 open ones",
         repeated("<b>", 100) + repeated("</i>", fetchBound / 4 - 75), faults},
        {"5 MB of stray closing tags under 1,000 open ones",
         repeated("<b>", 1000) + repeated("</i>", fetchBound / 4 - 750), deep},
        {"150,000 bold names on lines", repeated("<b>Am</b>\n", 150000), formatsDropped},
        {"5 MB of <b>Am</b>", repeated("<b>Am</b>", fetchBound / 9), formatsDropped},
        {"a 5 MB word", std::string(fetchBound, 'a'), longPage},
        {"a list of 9,000 items", "<ul>" + repeated("<li>x", 9000),
         "[… listas longas mostradas como linhas]"},
        {"99,000 line breaks", repeated("x<br>", 99000),
         "[… linhas em branco omitidas: quebras de linha demais]"},
        {"5 MB of line separators", repeated("x\u2028", fetchBound / 4), linesCut},
        {"500 KB of line separators in <pre>", "<pre>" + repeated("x\u2028", 125000), linesCut},
        {"a 5 MB run of marks", "a" + repeated("\u0301", fetchBound / 2 - 1), marksCut},
        {"500,000 newlines in <pre>", "<pre>" + std::string(500000, '\n'), linesCut},
        {"500 KB of short lines in <pre>", "<pre>" + repeated("x\n", 250000), linesCut},
        {"5 MB of short lines", repeated("x\n", fetchBound / 2), longPage},
        {"500 KB of marks split by soft hyphens", "<p>a" + repeated(acutes + "\u00AD", 8000),
         marksCut},
        {"5 MB of Arabic marks split by non-joiners",
         "\u0628" + repeated(tanweens + "\u200C", fetchBound / 63), marksCut},
        {"5 MB of spaced digits after Hebrew", "<pre>\u05D0" + repeated(" 1", fetchBound / 2 - 4),
         turnsCut},
        {"5 MB of tabbed digits after Hebrew", "<pre>\u05D0" + repeated("\t1", fetchBound / 2 - 4),
         turnsCut},
        {"5 MB of Latin and Greek letters", repeated("a\u03B1", fetchBound / 3), turnsCut},
        {"500 KB of Hangul fillers under accents", "<p>" + repeated("\u0301\u3164", 100000),
         longPage},
        {"60 KB of bold letters", repeated("a<b>b</b>", 6600), formatsDropped},
        {"60 KB of subscripts in blocks of 900",
         repeated("<p>" + repeated("a<sub>b</sub>", 450), 10), formatsDropped}};
    PageView view;
    view.resize(190, 94); // as on the main screen
    view.setLayoutBudget({std::chrono::hours(1), [] { return std::chrono::nanoseconds{0}; }});
    for (const Page& page : pages) {
        ASSERT_LE(page.bytes.size(), fetchBound) << page.what;
        view.showPage(page.bytes);
        const Shape shape = shapeOf(*view.document());
        EXPECT_LE(shape.lines, 10000 + 3) << page.what; // and the lines saying so
        EXPECT_LE(shape.longestBlock, 1000u) << page.what;
        EXPECT_LE(shape.formatChanges, 2u * 2000) << page.what;
        EXPECT_LE(shape.characters, 64 * 1024 + 200) << page.what;
        EXPECT_TRUE(view.toPlainText().endsWith(page.end)) << page.what;
    }
    ::alarm(0);
}

// Whatever separator ends its lines, in <pre>, in a paragraph, or in a page
// shown as text, no block of the document is longer than its bound; nor in
// the text box, which shows a page's source.
TEST(PageView, EverySeparatorEndsWithinTheBlockBound)
{
    const std::string line = std::string(900, 'x');
    PageView view;
    view.resize(190, 94);
    platform::TextView box;
    box.resize(190, 94);
    for (const std::string separator :
         {"\r", "\r\n", "\n", "\f", "\v", "\u0085", "\u2028", "\u2029"}) {
        const std::string text = repeated(line + separator, 20);
        for (const std::string& page :
             {"<pre>" + text, "<p>" + text, repeated("<a></a>", 100001) + "<p>" + text}) {
            view.showPage(page);
            EXPECT_LE(shapeOf(*view.document()).longestBlock, 1000u)
                << page.substr(0, 5) << " " << int(separator[0]);
            EXPECT_GT(shapeOf(*view.document()).characters, 18000) << int(separator[0]);
        }
        box.setText(text);
        EXPECT_LE(shapeOf(*box.document()).longestBlock, 1000u) << int(separator[0]);
    }
    // Newlines outside <pre> are blanks: they start no block.
    view.showPage("<p>" + repeated("a\n", 1000));
    EXPECT_LE(shapeOf(*view.document()).longestBlock, 1000u);
}

// A long block is split at a line break, else at a space: a song written as
// lines broken in one block keeps every line whole, and prose its words.
TEST(PageView, ASongOfBrokenLinesKeepsEveryLineAndProseEveryWord)
{
    PageView view;
    view.resize(190, 94);
    QStringList song;
    std::string page = "<div>";
    for (int line = 1; line <= 60; ++line) {
        song << QString("%1. Mas o teu abraço é meu lugar").arg(line);
        page += song.back().toStdString() + "<br>";
    }
    view.showPage(page + "</div>");
    EXPECT_EQ(view.toPlainText().split('\n', Qt::SkipEmptyParts), song);

    std::string prose;
    for (int word = 0; word < 300; ++word)
        prose += "palavra" + std::to_string(word) + " ";
    view.showPage("<p>" + prose);
    const QStringList lines = view.toPlainText().split('\n');
    ASSERT_GT(lines.size(), 1);
    for (qsizetype at = 0; at + 1 < lines.size(); ++at)
        EXPECT_TRUE(lines[at].endsWith(' ')) << lines[at].toStdString();
    EXPECT_EQ(lines.join("").toStdString(), prose);
}

// Past the budget of the time spent showing a page, the page ends with the
// block that passed it, then the cut mark and a line saying so, in the view's
// own type; what the view laid out on taking the page stays. The clock here
// is counted, not timed: it reads a millisecond later at each reading, so a
// budget of n milliseconds is n readings, the same on any machine, and a
// larger one keeps more blocks.
TEST(PageView, PastTheLayoutBudgetThePageIsCutAndSaysSo)
{
    const QString cut = "\n[…]\n[… texto cortado: lento demais para exibir]";
    std::string page;
    QString text;
    for (int line = 1; line <= 3000; ++line) {
        page += "<p>linha " + std::to_string(line) + "</p>";
        text += QString("linha %1\n").arg(line);
    }
    text.chop(1);
    PageView view;
    view.resize(190, 94); // as on the main screen
    qsizetype shownBefore = 0;
    for (const int readings : {0, 1, 2}) {
        view.setLayoutBudget(
            {std::chrono::milliseconds(readings), steppingClock(std::chrono::milliseconds(1))});
        view.showPage(page);
        const QString shown = view.toPlainText();
        ASSERT_TRUE(shown.endsWith(cut)) << readings;
        const QString kept = shown.chopped(cut.size());
        EXPECT_TRUE(text.startsWith(kept + "\n")) << readings;
        EXPECT_GT(kept.size(), shownBefore) << readings; // a larger budget keeps more
        shownBefore = kept.size();
        const QTextCharFormat last = view.document()->lastBlock().begin().fragment().charFormat();
        EXPECT_EQ(last.fontWeight(), QFont::Normal);
    }
    view.setLayoutBudget({std::chrono::hours(1), steppingClock(std::chrono::milliseconds(1))});
    view.showPage(page);
    EXPECT_EQ(view.toPlainText(), text);
    // Reading the page into the view counts: a clock past the budget from its
    // second reading on (the work before the layout took it all) cuts.
    view.setLayoutBudget({std::chrono::milliseconds(80), [first = true]() mutable {
                              return std::exchange(first, false) ? std::chrono::hours(0)
                                                                 : std::chrono::hours(1);
                          }});
    view.showPage(page);
    EXPECT_TRUE(view.toPlainText().endsWith(cut));
}

// The plain text of a page starts in the view's own font, whatever the page
// before held and the cursor was last placed on: a heading clicked, say.
TEST(PageView, APageShownAsTextKeepsTheViewsOwnType)
{
    PageView view;
    QFont font = view.font();
    font.setPointSize(31); // not the application's
    view.setFont(font);
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.showPage("<h1>Cifras</h1><p>Am");
    QTextCursor withinHeading(view.document());
    withinHeading.setPosition(3);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.cursorRect(withinHeading).center());
    ASSERT_GT(view.textCursor().charFormat().fontWeight(), QFont::Normal);
    // Too many changes of script: shown as text.
    view.showPage(repeated("a\u03B1", 6000));
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        const QTextCharFormat format = block.begin().fragment().charFormat();
        EXPECT_EQ(format.fontWeight(), QFont::Normal) << block.text().toStdString();
        EXPECT_EQ(QFontInfo(format.font()).pointSize(), 31) << block.text().toStdString();
    }
}

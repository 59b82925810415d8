#include "PageTestSupport.h"
#include "platform/page/PageMarkup.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using pagetest::repeated;
using platform::PageMarkupLimits;
using platform::pageToShow;

namespace {
std::string markupOf(std::string_view html, const PageMarkupLimits& limits = {})
{
    const auto page = pageToShow(html, limits);
    EXPECT_FALSE(page.isText);
    return page.content;
}
} // namespace

TEST(PageMarkup, WritesBareTagsOfItsOwnFromTheParsedPage)
{
    EXPECT_EQ(markupOf("<p class=\"a>b\"><b>Am</b> &amp; <a href=\"x\">G7</a><br></p>"),
              "<p><b>Am</b> &amp; G7<br></p>");
    EXPECT_EQ(markupOf("<html><head><title>T</title><meta charset=latin1></head><body>"
                       "<h1 style=x>Cifras</h1><table border=1><tr><td>C<td>D</table>"),
              "<h1>Cifras</h1><div><div> C D</div></div>");
    EXPECT_EQ(markupOf("a<IMG SRC=\"/dev/zero\">b<link rel=stylesheet href=x>c"
                       "<iframe src=\"file:///etc/passwd\"></iframe>d<object data=x></object>e"),
              "<p>abcde</p>");
    EXPECT_EQ(markupOf("a<script>if (1 < 2) document.write('<b>')</script>b"
                       "<STYLE>p{}</style >c<!-- <b> -->d<!DOCTYPE html><?xml?>e"),
              "<p>abcde</p>");
    EXPECT_EQ(markupOf("a <- b < c"), "<p>a &lt;- b &lt; c</p>");
    EXPECT_EQ(markupOf("<pre>  C   G\n<b>Am</b></pre>"), "<pre>  C   G\n<b>Am</b></pre>");
    // A page cut short still closes what it opened.
    EXPECT_EQ(markupOf("<div><b>Am"), "<div><b>Am</b></div>");
}

// Pages whose quotes a hand-written reader takes differently from the
// rich-text engine: whatever the page's own tags hide, the markup shown is
// only bare tags and escaped text.
TEST(PageMarkup, NoTagOfThePageReachesTheMarkup)
{
    EXPECT_EQ(markupOf("<p title=a\"><img src=\"/some/fifo\">\">"), "<p>\"&gt;</p>");
    EXPECT_EQ(markupOf("<b'><img src=\"/some/fifo\">x"), "<b>x</b>");
    EXPECT_EQ(markupOf("<br a=b\"><img src=\"/some/fifo\">\">"), "<br>\"&gt;");
    EXPECT_EQ(markupOf("<p>&lt;img src=/x&gt;<a href='<img src=/y>'>z</a>"),
              "<p>&lt;img src=/x&gt;z</p>");
}

TEST(PageMarkup, NestingIsCutAtTheBounds)
{
    PageMarkupLimits limits;
    limits.maxDepth = 3;
    EXPECT_EQ(markupOf(repeated("<b>", 100) + "x" + repeated("</b>", 100), limits),
              "<b><b><b>x</b></b></b>");
    // Nesting smuggled past a reader of tags, as the parser sees it.
    EXPECT_EQ(markupOf(repeated("<b'>", 40) + "x", limits), "<b><b><b>x</b></b></b>");
}

// A table reaches the rich-text engine as lines, however its parts stand:
// the engine's own reading of parts outside a row or a cell leaves tables
// open inside one another, whose layout grows with a power of their depth.
TEST(PageMarkup, TablesAreWrittenAsLinesOfTheirCells)
{
    EXPECT_EQ(markupOf("<table><caption>Acordes</caption><thead><tr><th>1<th>2</thead>"
                       "<tr><td>C<td>G</table>"),
              "<div><div>Acordes</div><div> 1 2</div><div> C G</div></div>");
    EXPECT_EQ(markupOf("<table>C<td><table><tr><td>x</table><pre>y</pre>z</table>w"),
              "<div>C <div><div> x</div></div><pre>y</pre>z</div>w");
}

// The rich-text engine reads a list in time growing with the square of its
// items, and lays a paragraph of many lines out slowly: past the bounds,
// lists and items are blocks, however they are split or nested, line breaks
// are empty blocks, and the page says so.
TEST(PageMarkup, PastTheStructureBoundsListsLineBreaksAndFormatsAreSimplifiedAndSaySo)
{
    PageMarkupLimits limits;
    limits.maxListElements = 3;
    limits.maxLineBreaks = 2;
    limits.maxFormatChanges = 2;
    const std::string lists = "<p>[… listas longas mostradas como linhas]</p>";
    const std::string breaks = "<p>[… linhas em branco omitidas: quebras de linha demais]</p>";
    const std::string formats = "<p>[… formatação omitida: mudanças de formato demais]</p>";
    const std::vector<std::pair<std::string, std::string>> pages{
        {"<ul><li>a<li>b</ul>", "<ul><li>a</li><li>b</li></ul>"},
        {"<ul><li>a<li>b<li>c</ul>", "<ul><li>a</li><li>b</li><div>c</div></ul>" + lists},
        {"<ol><li>a</ol><ol><li>b</ol><ul><li>c</ul>",
         "<ol><li>a</li></ol><ol><div>b</div></ol><div><div>c</div></div>" + lists},
        {"<ul><li>a<ul><li>b<li>c</ul></ul>",
         "<ul><li>a<ul><div>b</div><div>c</div></ul></li></ul>" + lists},
        {"<li>a<li>b<li>c<li>d", "<li>a</li><li>b</li><li>c</li><div>d</div>" + lists},
        {"<dl><dt>a<dd>b<dt>c<dd>d</dl>", "<dl><dt>a</dt><dd>b</dd><dt>c</dt><dd>d</dd></dl>"},
        {"a<br>b<br>c", "<p>a<br>b<br>c</p>"},
        {"a<br>b<br>c<br><b>d<br>e</b>",
         "<p>a<br>b<br>c<div></div><b>d<div></div>e</b></p>" + breaks},
        // Inline elements, however nested; blocks change no format here.
        {"<h1>a</h1><b>b</b><sub>c</sub>", "<h1>a</h1><b>b</b><sub>c</sub>"},
        {"<b>a</b><i>b</i><big>c</big>d", "<b>a</b><i>b</i>cd" + formats},
        {"<b><i><code>x</code></i></b>", "<b><i>x</i></b>" + formats}};
    for (const auto& [page, markup] : pages)
        EXPECT_EQ(markupOf(page, limits), markup) << page;
}

// The bounds as they stand: the last element within each is written as it
// is, and the next one turned.
TEST(PageMarkup, TheDefaultStructureBoundsHoldTheirValues)
{
    const std::string lists = "<p>[… listas longas mostradas como linhas]</p>";
    const std::string breaks = "<p>[… linhas em branco omitidas: quebras de linha demais]</p>";
    const std::string blocks = "<p>[…]</p><p>[… texto cortado: linhas demais]</p>";
    const std::string formats = "<p>[… formatação omitida: mudanças de formato demais]</p>";
    const std::vector<std::pair<std::string, std::string>> pages{
        // 1,000 lists and items.
        {"<ul>" + repeated("<li>x", 999), "<li>x</li></ul>"},
        {"<ul>" + repeated("<li>x", 1000), "<li>x</li><div>x</div></ul>" + lists},
        // 5,000 line breaks.
        {repeated("x<br>", 5000), "x<br></p>"},
        {repeated("x<br>", 5001), "x<br>x<div></div></p>" + breaks},
        // 10,000 blocks and newlines in <pre>.
        {repeated("<p>x", 10000), "<p>x</p><p>x</p>"},
        {repeated("<p>x", 10001), "<p>x</p><p>x</p>" + blocks},
        {"<pre>x" + repeated("\nx", 9999), "\nx\nx</pre>"},
        {"<pre>x" + repeated("\nx", 10000), "\nx\nx</pre>" + blocks},
        // 2,000 inline elements.
        {repeated("<b>x</b>", 2000), "<b>x</b><b>x</b>"},
        {repeated("<b>x</b>", 2001), "<b>x</b>x" + formats}};
    for (const auto& [page, end] : pages)
        EXPECT_TRUE(markupOf(page).ends_with(end)) << page.substr(0, 20) << " " << page.size();
    // 64 KiB of text.
    const std::string text = repeated("<p>" + repeated("a ", 256), 128);
    EXPECT_TRUE(markupOf(text).ends_with("a </p>"));
    EXPECT_TRUE(markupOf(text + "b")
                    .ends_with("a </p><p>[…]</p>"
                               "<p>[… texto cortado: página longa demais]</p>"));
}

// The text layout's time grows with the blocks of text and the lines of
// preformatted text, and past some hundreds of thousands it never ends:
// past the bound, the page is cut before the block one too many, and says
// so. Newlines start blocks only in <pre>, or in a page shown as text; the
// separators the rich-text engine starts a block at count anywhere, and so
// do line separators, which start lines of a block in <pre>.
TEST(PageMarkup, PastTheBlockBoundThePageIsCutAndSaysSo)
{
    PageMarkupLimits limits;
    limits.maxBlocks = 3;
    const std::string cut = "<p>[…]</p><p>[… texto cortado: linhas demais]</p>";
    const std::vector<std::pair<std::string, std::string>> pages{
        {"<p>a<p>b<p>c", "<p>a</p><p>b</p><p>c</p>"},
        {"<p>a<p>b<p>c<p>d", "<p>a</p><p>b</p><p>c</p>" + cut},
        {"<h1>a</h1>b<br>c<hr>d", "<h1>a</h1>b<br>c<hr>d"},
        {"<h1>a</h1>b<br>c<hr>d<div>e", "<h1>a</h1>b<br>c<hr>d" + cut},
        {"<pre>a\nb\nc\nd</pre>", "<pre>a\nb\nc</pre>" + cut},
        {"<pre><b>a\nb</b>\nc\nd</pre>", "<pre><b>a\nb</b>\nc</pre>" + cut},
        {"<p>a\nb\nc\nd\ne</p>", "<p>a\nb\nc\nd\ne</p>"},
        {"<p>a\u2029b\uFDD0c\uFDD1d</p>", "<p>a\u2029b\uFDD0c</p>" + cut},
        {"<pre>a\u2028b\u2028c\u2028d</pre>", "<pre>a\u2028b\u2028c</pre>" + cut},
        {"<p>a\u2028b\u2028c\u2028d</p>", "<p>a\u2028b\u2028c</p>" + cut}};
    for (const auto& [page, markup] : pages)
        EXPECT_EQ(markupOf(page, limits), markup) << page;
    // A page shown as text: every newline starts a block.
    limits.maxElements = 2;
    EXPECT_EQ(pageToShow("<p>a\nb\nc\nd</p>", limits).content, "a\nb\nc\nd");
    EXPECT_EQ(pageToShow("<p>a\nb\nc\u2028d\ne</p>", limits).content,
              "a\nb\nc\nd\n[…]\n[… texto cortado: linhas demais]");
}

TEST(PageMarkup, PastTheParseDepthThePageIsReadNoFurtherAndSaysSo)
{
    PageMarkupLimits limits;
    limits.maxParseDepth = 10;
    limits.maxDepth = 3;
    EXPECT_EQ(markupOf(repeated("<b>", 5) + "x" + repeated("</b>", 5) + "y", limits),
              "<b><b><b>x</b></b></b>y");
    const std::string deep = "<p>[…]</p><p>[… texto cortado: elementos aninhados demais]</p>";
    EXPECT_EQ(markupOf("z" + repeated("<b>", 20) + "fim", limits),
              "<p>z<b><b>" + std::string("</b></b></p>") + deep);
    EXPECT_EQ(markupOf(repeated("<div>", 100000) + "fim"),
              repeated("<div>", 24) + repeated("</div>", 24) + deep);
    // Likewise past the bound of parse errors: here closing tags that close
    // nothing.
    const std::string faults = "<p>[…]</p><p>[… texto cortado: erros de marcação demais]</p>";
    limits = {};
    limits.maxParseErrors = 2;
    EXPECT_EQ(markupOf("<p>a</i>b</i>c</i>d</i>e", limits), "<p>abc</p>" + faults);
    EXPECT_TRUE(markupOf(repeated("</i>", 99000) + "fim").ends_with("fim</p>"));
    EXPECT_TRUE(markupOf(repeated("</i>", 101000) + "fim").ends_with(faults));
}

// Every event of the parser costs it work, whether or not it adds text to
// the page: elements opened or closed and pieces of text count alike, in
// elements kept or left out with their content; so do unknown entities, even
// in an element left out. Past the bound, the page is read no further and
// says so.
TEST(PageMarkup, PastTheBoundOfParserEventsThePageIsReadNoFurtherAndSaysSo)
{
    const std::string cut = "<p>[…]</p><p>[… texto cortado: marcação demais]</p>";
    for (const std::string& events :
         {repeated("<a></a>", 50), repeated("<p>", 50), repeated("x<u>", 50),
          "<title>" + repeated("&x;", 50) + "</title>",
          "<object>" + repeated("<a></a>", 50) + "</object>"}) {
        PageMarkupLimits limits;
        limits.maxParseEvents = 1000;
        EXPECT_FALSE(markupOf(events + "fim", limits).ends_with(cut)) << events;
        limits.maxParseEvents = 40;
        const std::string cutShort = markupOf(events + "fim", limits);
        EXPECT_TRUE(cutShort.ends_with(cut)) << events;
        EXPECT_EQ(cutShort.find("fim"), std::string::npos) << events;
    }
    // 300,000 by default: five to each element left out here.
    EXPECT_FALSE(markupOf(repeated("<title>&x;</title>", 59000)).ends_with(cut));
    EXPECT_TRUE(markupOf(repeated("<title>&x;</title>", 61000)).ends_with(cut));
}

TEST(PageMarkup, LongWordsGetPlacesToBreak)
{
    const std::string zwsp = "\u200B";
    EXPECT_EQ(markupOf(std::string(64, 'a') + " " + std::string(64, 'b')),
              "<p>" + std::string(64, 'a') + " " + std::string(64, 'b') + "</p>");
    EXPECT_EQ(markupOf(std::string(130, 'a')),
              "<p>" + std::string(64, 'a') + zwsp + std::string(64, 'a') + zwsp + "aa</p>");
    // Counted across tags, and never inside a character.
    EXPECT_EQ(markupOf(std::string(63, 'a') + "<b>é</b>"),
              "<p>" + std::string(63, 'a') + "<b>é</b></p>");
    EXPECT_EQ(markupOf(std::string(64, 'a') + "<b>é</b>"),
              "<p>" + std::string(64, 'a') + "<b>" + zwsp + "é</b></p>");
}

// One letter carrying a long run of marks lays out in time growing with the
// square of the run: past 30 in a row, counted across tags, marks are left
// out and the page says so.
TEST(PageMarkup, RunsOfCombiningMarksAreCutAndSaySo)
{
    const std::string said = "<p>[… marcas combinantes além de 30 omitidas]</p>";
    const std::string acute = "\u0301";
    const std::vector<std::pair<std::string, std::string>> pages{
        {"a" + repeated(acute, 30), "<p>a" + repeated(acute, 30) + "</p>"},
        {"a" + repeated(acute, 31) + "b", "<p>a" + repeated(acute, 30) + "b</p>" + said},
        {"a" + repeated(acute, 20) + "<b>" + repeated(acute, 20) + "</b>",
         "<p>a" + repeated(acute, 20) + "<b>" + repeated(acute, 10) + "</b></p>" + said},
        {"a" + repeated(acute, 16) + "b" + repeated(acute, 15),
         "<p>a" + repeated(acute, 16) + "b" + repeated(acute, 15) + "</p>"}};
    for (const auto& [page, markup] : pages)
        EXPECT_EQ(markupOf(page), markup) << page;
    // A page shown as text says so on a line of its own.
    PageMarkupLimits limits;
    limits.maxElements = 2;
    EXPECT_EQ(pageToShow("<p>a" + repeated(acute, 40) + "</p>", limits).content,
              "a" + repeated(acute, 30) + "\n[… marcas combinantes além de 30 omitidas]");
}

TEST(PageMarkup, PastTheElementBoundThePageIsShownAsText)
{
    PageMarkupLimits limits;
    limits.maxElements = 6; // html, body and p come with the page
    const auto page =
        pageToShow("<p><b>Am</b> <i>G7</i> <u>a</u> &lt; b<script>x</script>", limits);
    EXPECT_TRUE(page.isText);
    EXPECT_EQ(page.content, "Am G7 a < b");
    EXPECT_FALSE(pageToShow("<p><b>Am</b> <i>G7</i></p>", limits).isText);
    // A line separator starts a paragraph of its own, which lays out quickly.
    limits.maxElements = 2;
    EXPECT_EQ(pageToShow("<p><b>Am</b>\u2028G7\u2028\u2028C</p>", limits).content, "Am\nG7\n\nC");
    // Each block of the markup is a line of its own, so no two blocks' words
    // run together, written or not.
    EXPECT_EQ(pageToShow("<p>linha 1</p><p>linha 2</p><div>a<br>b</div><h1>c</h1>d"
                         "<table><tr><td>e<td>f<tr><td>g</table>h<li>i<dt>j<u>k</u>",
                         limits)
                  .content,
              "linha 1\nlinha 2\na\nb\nc\nd\n e f\n g\nh\ni\njk");
}

// Past the text bound the page is read no further: its markup is kept up to
// the cut, never inside a character, closed, and a line says why. Likewise
// past the bound of changes of writing direction, counted across tags.
TEST(PageMarkup, PastTheTextBoundTheTextIsCutAndSaysSo)
{
    const std::string cut = "<p>[…]</p><p>[… texto cortado: página longa demais]</p>";
    const std::string turned =
        "<p>[…]</p><p>[… texto cortado: mudanças de direção ou de escrita demais]</p>";
    struct Page {
        std::size_t textBytes;
        std::size_t directionChanges;
        std::string page;
        std::string markup;
    };
    const std::vector<Page> pages{
        {10, 100, "<p>Dó Ré <b>Mi</b></p>", "<p>Dó Ré <b>Mi</b></p>"},
        // "Dó Ré Mi F" would pass 10 bytes.
        {10, 100, "<p>Dó Ré <b>Mi Fá</b> Sol</p>", "<p>Dó Ré <b>Mi</b></p>" + cut},
        // Six bytes end within "é".
        {6, 100, "<p>Dó Ré <b>Mi</b>", "<p>Dó R</p>" + cut},
        {10, 100, "aaaaaaaaa<<<", "<p>aaaaaaaaa&lt;</p>" + cut},
        {100, 2, "<p>אב <b>Am</b> א</p>", "<p>אב <b>Am</b> א</p>"},
        {100, 2, "<p>אב <b>Am</b> א Dm</p>", "<p>אב <b>Am</b> א </p>" + turned}};
    for (const Page& page : pages) {
        PageMarkupLimits limits;
        limits.maxTextBytes = page.textBytes;
        limits.maxDirectionChanges = page.directionChanges;
        EXPECT_EQ(markupOf(page.page, limits), page.markup) << page.page;
    }
}

// The view decodes the page as the import does: a NUL no longer ends it, and
// a page in UTF-16 is read as such.
TEST(PageMarkup, APageIsDecodedBeforeItIsRead)
{
    EXPECT_EQ(markupOf(std::string("<p>Am\0<b>G7</b></p>", 19)), "<p>Am\xEF\xBF\xBD<b>G7</b></p>");
    std::string utf16;
    for (const char c : std::string("<p>Dm <b>C</b></p>"))
        utf16 += {c, '\0'};
    EXPECT_EQ(markupOf(utf16), "<p>Dm <b>C</b></p>");
    EXPECT_EQ(markupOf("\xFF\xFE" + utf16), "<p>Dm <b>C</b></p>");
}

#include "platform/PageMarkup.h"

#include <gtest/gtest.h>

using platform::PageMarkupLimits;
using platform::pageToShow;

namespace {
std::string markupOf(std::string_view html, const PageMarkupLimits& limits = {})
{
    const auto page = pageToShow(html, limits);
    EXPECT_FALSE(page.isText);
    return page.content;
}

std::string repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}
} // namespace

TEST(PageMarkup, KeepsOrdinaryMarkupAndDropsWhatLoadsOrRuns)
{
    EXPECT_EQ(markupOf("<p class=\"a>b\"><b>Am</b> &amp; <a href=\"x\">G7</a><br></p>"),
              "<p class=\"a>b\"><b>Am</b> &amp; <a href=\"x\">G7</a><br></p>");
    EXPECT_EQ(markupOf("a<IMG SRC=\"/dev/zero\">b<link rel=stylesheet href=x>c"
                       "<iframe src=\"file:///etc/passwd\"></iframe>d<object data=x></object>e"),
              "abcde");
    EXPECT_EQ(markupOf("a<script>if (1 < 2) document.write('<b>')</script>b"
                       "<STYLE>p{}</style >c<!-- <b> -->d<!DOCTYPE html><?xml?>e"),
              "abcde");
    EXPECT_EQ(markupOf("a <- b < c"), "a &lt;- b &lt; c");
    // A page cut short still closes what it opened.
    EXPECT_EQ(markupOf("<div><b>Am"), "<div><b>Am</b></div>");
    // Stray closings are dropped; a closing closes what was opened inside.
    EXPECT_EQ(markupOf("</i>x<div><b>y</div>z</b>"), "x<div><b>y</b></div>z");
}

TEST(PageMarkup, NestingIsCutAtTheBounds)
{
    PageMarkupLimits limits;
    limits.maxDepth = 3;
    EXPECT_EQ(markupOf(repeated("<b>", 100) + "x" + repeated("</b>", 100), limits),
              "<b><b><b>x</b></b></b>");
    EXPECT_EQ(markupOf(repeated("<div>", 100000) + "fim").size(),
              24 * std::string("<div></div>").size() + 3);
    // Tables deeper than two are left out with all their parts.
    EXPECT_EQ(markupOf(repeated("<table><tr><td>", 4) + "x" + repeated("</td></tr></table>", 4)),
              repeated("<table><tr><td>", 2) + "x" + repeated("</td></tr></table>", 2));
}

TEST(PageMarkup, LongWordsGetPlacesToBreak)
{
    const std::string zwsp = "\u200B";
    EXPECT_EQ(markupOf(std::string(64, 'a') + " " + std::string(64, 'b')),
              std::string(64, 'a') + " " + std::string(64, 'b'));
    EXPECT_EQ(markupOf(std::string(130, 'a')),
              std::string(64, 'a') + zwsp + std::string(64, 'a') + zwsp + "aa");
    // Counted across tags, and never inside a character.
    EXPECT_EQ(markupOf(std::string(63, 'a') + "<b>é</b>"), std::string(63, 'a') + "<b>é</b>");
    EXPECT_EQ(markupOf(std::string(64, 'a') + "<b>é</b>"),
              std::string(64, 'a') + "<b>" + zwsp + "é</b>");
}

TEST(PageMarkup, PastTheElementBoundThePageIsShownAsText)
{
    PageMarkupLimits limits;
    limits.maxElements = 3;
    const auto page = pageToShow("<p><b>Am</b> <i>G7</i> <u>a</u> < b<script>x</script>", limits);
    EXPECT_TRUE(page.isText);
    EXPECT_EQ(page.content, "Am G7 a < b");
    EXPECT_FALSE(pageToShow("<p><b>Am</b> <i>G7</i></p>", limits).isText);
}

TEST(PageMarkup, PastTheTextBoundTheTextIsCutAndSaysSo)
{
    PageMarkupLimits limits;
    limits.maxTextBytes = 10;
    const auto page = pageToShow("<p>Dó Ré <b>Mi Fá</b> Sol</p>", limits);
    EXPECT_TRUE(page.isText);
    EXPECT_EQ(page.content, "Dó Ré Mi\n[…]"); // "Dó Ré Mi F" would pass 10 bytes
    const auto exact = pageToShow("<p>Dó Ré <b>Mi</b></p>", limits);
    EXPECT_FALSE(exact.isText);
    EXPECT_EQ(pageToShow("aaaaaaaaa<<<", limits).content, "aaaaaaaaa<\n[…]");
}

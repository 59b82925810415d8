// The bound on tag attributes, as the page view's HTML parser and the saved
// lists' XML reader read its markup.
#include "PageTestSupport.h"
#include "platform/page/PageMarkup.h"
#include "platform/xml/TagAttributes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using platform::boundAttributes;
using platform::MarkupSyntax;

namespace {
std::string html(std::string_view bytes, std::size_t maxAttributes = 0)
{
    return boundAttributes(bytes, MarkupSyntax::Html, maxAttributes).value();
}

std::optional<std::string> xml(std::string_view bytes, std::size_t maxAttributes = 2)
{
    return boundAttributes(bytes, MarkupSyntax::Xml, maxAttributes);
}

// Attributes named a0, a1, ..., each as the piece makes it of its index.
std::string attributes(std::size_t count, const std::string& before, const std::string& after)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += ' ';
        out += before;
        out += std::to_string(i);
        out += after;
    }
    return out;
}
} // namespace

TEST(HtmlAttributes, TagsAreWrittenBareAndTextAsItStands)
{
    EXPECT_EQ(html("<P CLASS=\"a>b\" id=x hidden><b title='t'>Am</b> &amp; G7<br/></P>"),
              "<P><b>Am</b> &amp; G7<br/></P>");
    EXPECT_EQ(html("a < b <3 <_x <!x c"), "a &lt; b &lt;3 &lt;_x &lt;!x c");
    EXPECT_EQ(html("<p a=b/>x"), "<p>x"); // an unquoted value runs to '>'
    EXPECT_EQ(html("<p a=\"x"), "<p");    // a value open to the end ends the tag there
    EXPECT_EQ(html("</b class=x>c</ b>d</>"), "</b>c b>d>");
}

TEST(HtmlAttributes, WhatThePageViewNeverShowsIsLeftOut)
{
    EXPECT_EQ(html("a<!-- <p x> -->b<!---->c<!-- x --!>d<!-->e-->f"), "abcdf");
    EXPECT_EQ(html("a<?php echo '<p>' ?>b<?>c<? d"), "a' ?>b>c d");
    EXPECT_EQ(html("<!DOCTYPE html PUBLIC \"-//W3C//DTD>\" 'x>y'><p>a</p>"), "<p>a</p>");
    EXPECT_EQ(html("<!doctype html>x"), "x");
    EXPECT_EQ(html("<script type=a>if (a < b) w('</b>')</script >x<STYLE>p{}</style>y"),
              "<script></script>x<STYLE></style>y");
    // An end tag of another name that begins with the element's own does not
    // end its content.
    EXPECT_EQ(html("<script></scripts><p a b></script>x"), "<script></script>x");
    // An element that closes a script or style when it opens the content.
    EXPECT_EQ(html("<script><noscript a>x"), "<script><noscript>x");
    EXPECT_EQ(html("<style><body a>x"), "<style><body>x");
    EXPECT_EQ(html("<script>x"), "<script>");
}

TEST(HtmlAttributes, NamesAreReadAsTheParserReadsThem)
{
    // A name stops at 100 bytes; the parser reads the rest as an attribute.
    const std::string name(150, 'a');
    EXPECT_EQ(html("<" + name + " x>y</" + name + " >"),
              "<" + name.substr(0, 100) + ">y</" + name.substr(0, 100) + ">");
    EXPECT_EQ(html("<b" + name + ">", 1),
              "<b" + name.substr(0, 99) + " " + name.substr(0, 51) + ">");
}

TEST(HtmlAttributes, TheFirstAttributesAreKeptUpToTheBound)
{
    EXPECT_EQ(html("<p a=\"1\" b='\"2\"' c=3 d>", 2), "<p a=\"1\" b=\"&quot;2&quot;\">");
    EXPECT_EQ(html("<p %% a = x b>", 5), "<p a=\"x\" b>");
    EXPECT_EQ(html("<p a b c>", 0), "<p>");
}

// The view shows the same for a page whatever its tags' attributes, and
// reads no further than a NUL of bytes handed to it undecoded.
TEST(HtmlAttributes, ThePageViewShowsPagesOfManyAttributesAsBareOnes)
{
    for (const std::string& each : {std::string("a"), std::string("a=\"1\"")}) {
        const std::string page =
            "<p" + attributes(100000, "a", each == "a" ? "" : "=\"1\"") + "><b>Am</b></p>";
        EXPECT_EQ(platform::pageToShow(page).content, "<p><b>Am</b></p>");
        EXPECT_EQ(
            platform::pageToShow("<p" + pagetest::repeated(" " + each, 100000) + ">x").content,
            "<p>x</p>");
    }
}

// Comments, processing instructions and references are the parser's to
// read where they stand, a misplaced declaration among them: one left out
// would join the text on either side of it.
TEST(XmlAttributes, AListWithinTheBoundIsKeptByteForByte)
{
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://x/y>z.dtd\">\n"
        "<plist version=\"1.0\">\n<array>\n\t<string>a &lt; b</string>";
    const std::string tail = "<string a='>'/>\n</array>\n</plist>\n";
    const std::string list =
        head + "<!-- <x> --><string><![CDATA[<y a b>]]></string><?pi <z> ?>" + tail;
    for (const std::string& bytes :
         {list, std::string("<a>C&#x<!---->23;&l<?p?>t;]]<!---->><?xml?><?XML v?></a>")})
        EXPECT_EQ(xml(bytes), bytes);
}

TEST(XmlAttributes, AttributesPastTheBoundAreLeftOut)
{
    EXPECT_EQ(xml("<plist version=\"1.0\"\n a='x' b=\"y\"><array/></plist>", 1),
              "<plist version=\"1.0\"><array/></plist>");
    EXPECT_EQ(xml("<plist" + attributes(100000, "a", "=\"1\"") + "/>", 2),
              "<plist a0=\"1\" a1=\"1\"/>");
}

TEST(XmlAttributes, WhatTheBoundCannotReadIsRefused)
{
    for (const std::string& bytes :
         {std::string("<a b>"), std::string("<a b=c>"), std::string("<a b=\"<\">"),
          std::string("<a b=\"1\"c=\"2\">"), std::string("<a b=\"x< c='1'>\">"),
          std::string("<a b=\"1\""), std::string("<a"), std::string("<>"), std::string("<a/ >"),
          std::string("<!-- x"), std::string("<!-- a -- b -->"), std::string("<![CDATA[x"),
          std::string("<?pi"), std::string("</a"), std::string("</a <b>"),
          std::string("<!ELEMENT a ANY>"),
          std::string("<!DOCTYPE a [<!ATTLIST a b CDATA 'c'>]><a/>"), std::string("<!DOCTYPE a"),
          std::string("<a>\0</a>", 8)})
        EXPECT_EQ(xml(bytes), std::nullopt) << testing::PrintToString(bytes);
}

// Decoding a fetched page, once for the page view and the import's name scan.
#include "platform/page/PageText.h"

#include <gtest/gtest.h>

#include <string>

using platform::pageText;

namespace {
const std::string kReplacement = "\xEF\xBF\xBD";

// The text in UTF-16, each unit two bytes in the order asked for.
std::string utf16(std::u16string_view text, bool littleEndian)
{
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

// The text in UTF-32, each code point four bytes in the order asked for.
std::string utf32(std::u32string_view text, bool littleEndian)
{
    std::string bytes;
    for (const char32_t c : text)
        for (int k = 0; k < 4; ++k)
            bytes += static_cast<char>(c >> (8 * (littleEndian ? k : 3 - k)));
    return bytes;
}
} // namespace

TEST(PageText, ValidUtf8IsKeptByteForByte)
{
    for (const std::string& bytes :
         {std::string(""), std::string("<b>Dó</b> acordes"), std::string("\xE2\x82\xAC"),
          std::string("\xF0\x9F\x8E\xB8 guitarra"), std::string("\xF4\x8F\xBF\xBF"),
          std::string("\xEF\xBB\xBF<html>")}) {
        EXPECT_EQ(pageText(bytes).text, bytes);
        EXPECT_EQ(pageText(bytes).problem, "");
    }
}

TEST(PageText, InvalidUtf8IsAProblem)
{
    // Which sequences are well-formed is the UTF-8 reader's rule (utf8_test).
    for (const std::string& bytes : {std::string("<b>D\xF3</b>"), // Latin-1 ó
                                     std::string("ok \xE2\x82")})
        EXPECT_EQ(pageText(bytes).problem, "not UTF-8") << testing::PrintToString(bytes);
    // What does decode is kept, each byte that does not a replacement.
    EXPECT_EQ(pageText("<b>D\xF3</b>").text, "<b>D" + kReplacement + "</b>");
}

TEST(PageText, ANulIsAReplacementAndTheRestIsKept)
{
    EXPECT_EQ(pageText(std::string("a\0b", 3)).text, "a" + kReplacement + "b");
    const std::string page = std::string("<p>Am</p>\0<b>G7</b>", 19);
    EXPECT_EQ(pageText(page).text, "<p>Am</p>" + kReplacement + "<b>G7</b>");
    EXPECT_EQ(pageText(page).problem, "");
}

TEST(PageText, Utf16IsKnownByItsMarkOrItsZeroBytes)
{
    const std::u16string page = u"<p>Dó <b>Am</b> \U0001F3B8</p>";
    const std::string expected = "<p>Dó <b>Am</b> \xF0\x9F\x8E\xB8</p>";
    for (const bool littleEndian : {true, false}) {
        const std::string bytes = utf16(page, littleEndian);
        EXPECT_EQ(pageText(bytes).text, expected) << littleEndian;
        EXPECT_EQ(pageText(utf16(u"\uFEFF", littleEndian) + bytes).text, expected);
        EXPECT_EQ(pageText(bytes).problem, "");
    }
    // A page opening with text past ASCII has its zero bytes further on.
    EXPECT_EQ(pageText(utf16(u"ação <b>C</b>", true)).text, "ação <b>C</b>");
    // With the mark, even text with no zero byte at all.
    EXPECT_EQ(pageText("\xFE\xFF\x4E\x2D").text, "\xE4\xB8\xAD");
}

TEST(PageText, Utf32IsAProblemWithOrWithoutItsMark)
{
    for (const bool littleEndian : {true, false})
        for (const std::u32string_view page :
             {U"<p>Dó <b>Am</b> \U0001F3B8</p>", U"\uFEFF<p>x</p>", U"\uFEFF", U"ação <b>C</b>",
              U"ççç <p>x</p>", // past ASCII at the start, ASCII further on
              U"aé"}) {        // half the units ASCII, in the fewest bytes that show it
            const auto decoded = pageText(utf32(page, littleEndian));
            EXPECT_EQ(decoded.problem, "UTF-32, not read") << littleEndian;
            EXPECT_EQ(decoded.text, "");
        }
}

TEST(PageText, BrokenUtf16IsReplacedWhereItBreaks)
{
    // A lone surrogate, a NUL unit, and half a unit at the end, past the
    // bytes that show the encoding.
    const std::u16string start(200, u'x');
    const std::string bytes =
        utf16(start, true) + std::string("\x00\xD8", 2) + std::string("A\0\0\0", 4) + "<";
    EXPECT_EQ(pageText(bytes).text,
              std::string(200, 'x') + kReplacement + "A" + kReplacement + kReplacement);
}

TEST(PageText, StrayZeroBytesLeaveAPageUtf8)
{
    // One NUL among the first bytes is no sign of UTF-16, nor is a short page;
    // nor of UTF-32 are NULs alone, or a page shorter than two units.
    EXPECT_EQ(pageText(std::string("<p>a\0b</p>", 10)).text, "<p>a" + kReplacement + "b</p>");
    EXPECT_EQ(pageText(std::string("<\0", 2)).text, "<" + kReplacement);
    EXPECT_EQ(pageText(std::string(8, '\0')).text, kReplacement + kReplacement + kReplacement +
                                                       kReplacement + kReplacement + kReplacement +
                                                       kReplacement + kReplacement);
    EXPECT_EQ(pageText(std::string("a\0\0\0", 4)).text,
              "a" + kReplacement + kReplacement + kReplacement);
}

TEST(PageText, DecodedTextDecodesToItself)
{
    for (const std::string& bytes : {utf16(u"\uFEFF\uFEFF<p>x</p>", true),
                                     std::string("a\0\0\0b\0\0\0", 8), std::string("\xC3x")}) {
        const std::string once = pageText(bytes).text;
        EXPECT_EQ(pageText(once).text, once);
        EXPECT_EQ(pageText(once).problem, "");
    }
}

// Reading UTF-8 one sequence at a time, as the log, the page import and the
// XML checks read it.
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

// Each sequence is read after one byte of ASCII, and past it nothing follows:
// a sequence cut short by the end of the text is not read either.
TEST(Utf8, OnlyWellFormedSequencesAreReadWithTheirCodePoints)
{
    struct Row {
        std::string bytes;
        std::size_t length; // 0: not well-formed
        char32_t codePoint;
    };
    const Row rows[] = {
        {"A", 1, U'A'},
        {"\xC3\xB3", 2, U'\u00F3'},
        {"\xE0\xA0\x80", 3, U'\u0800'},
        {"\xE2\x82\xAC", 3, U'\u20AC'},
        {"\xED\x9F\xBF", 3, U'\uD7FF'},
        {"\xF0\x9F\x8E\xB8", 4, U'\U0001F3B8'},
        {"\xF4\x8F\xBF\xBF", 4, U'\U0010FFFF'},
        {"\xFF", 0, 0},             // never a lead byte
        {"\x80", 0, 0},             // a continuation byte with no lead
        {"\xC0\xAF", 0, 0},         // overlong '/'
        {"\xE0\x80\xAF", 0, 0},     // overlong '/'
        {"\xED\xA0\x80", 0, 0},     // a surrogate
        {"\xF4\x90\x80\x80", 0, 0}, // past U+10FFFF
        {"\xF5\x80\x80\x80", 0, 0}, // past U+10FFFF
        {"\xE2\x82\x41", 0, 0},     // a third byte that continues nothing
        {"\xE2\x82", 0, 0},         // cut short
        {"\xC3", 0, 0},             // cut short
    };
    for (const Row& row : rows) {
        const std::string text = "x" + row.bytes;
        const std::size_t length = platform::utf8SequenceLength(text, 1);
        EXPECT_EQ(length, row.length) << testing::PrintToString(row.bytes);
        if (length > 0) {
            EXPECT_EQ(platform::codePointAt(text, 1, length), row.codePoint)
                << testing::PrintToString(row.bytes);
        }
    }
}

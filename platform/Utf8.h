#pragma once
// Reading UTF-8 one sequence at a time, for everything that reads text from
// outside: the log, the page import and the XML checks.
#include <cstddef>
#include <string_view>

namespace platform {

// Length of the well-formed UTF-8 sequence starting at text[at], or 0 when
// none starts there (overlong forms, surrogates and code points past
// U+10FFFF are not well-formed).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);
// The code point of the well-formed sequence of `length` bytes (as
// utf8SequenceLength gives it) starting at text[at].
char32_t codePointAt(std::string_view text, std::size_t at, std::size_t length);

} // namespace platform

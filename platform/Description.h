#pragma once
// How the log prints text. Every line it writes passes through
// escapedForLog, so that one log call is one line, whatever bytes a name from
// outside holds. An array prints on one line, "(" and ")" around the
// elements, each in double quotes, separated by ", "; an absent array prints
// "(null)". Quotes and backslashes inside an element are escaped with a
// backslash.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The text with what would break the line or act on a terminal written
// visibly: \n, \r and \t; other C0 controls, DEL and bytes that are not
// UTF-8 as \xNN; C1 controls, the line and paragraph separators and the
// direction overrides and isolates as \uNNNN. Any other UTF-8 (accents,
// symbols) and backslashes stay as they are, so the escaped form of an
// escaped text is itself.
std::string escapedForLog(std::string_view text);
// The text in double quotes, its quotes and backslashes escaped with a
// backslash, then as escapedForLog writes it.
std::string quotedForLog(std::string_view text);
std::string describe(const std::vector<std::string>& elements);
std::string describe(const std::optional<std::vector<std::string>>& elements);
// As describe(), but an array longer than shown prints its first `shown`
// elements, then "…" and its count: "("a", "b", … 4957 elements)".
std::string describeAtMost(const std::vector<std::string>& elements, std::size_t shown);
// As describeAtMost(), for an array of `count` elements of which only the
// first ones are given, all of them shown.
std::string describeFirst(const std::vector<std::string>& first, std::size_t count);

} // namespace platform

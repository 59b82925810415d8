#pragma once
// How the log prints an array: on one line, "(" and ")" around the elements,
// each in double quotes, separated by ", "; an absent array prints "(null)".
// Quotes and backslashes inside an element are escaped with a backslash, and
// control characters as \xNN, so that one log call stays one line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

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

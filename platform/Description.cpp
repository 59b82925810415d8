#include "platform/Description.h"

#include "platform/Utf8.h"

#include <cstdio>

namespace platform {
namespace {

// Characters that end a line, move the cursor, make a terminal act, or turn
// the order in which the rest of a line shows.
bool actsOnTheLine(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

void appendHex(std::string& out, const char* format, unsigned value)
{
    char escaped[12];
    std::snprintf(escaped, sizeof escaped, format, value);
    out += escaped;
}

} // namespace

std::string escapedForLog(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text, 0);
        if (length == 0) {
            appendHex(out, "\\x%02x", static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
            continue;
        }
        const char32_t c = codePointAt(text, 0, length);
        if (!actsOnTheLine(c))
            out.append(text.substr(0, length));
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x80)
            appendHex(out, "\\x%02x", static_cast<unsigned>(c));
        else
            appendHex(out, "\\u%04x", static_cast<unsigned>(c));
        text.remove_prefix(length);
    }
    return out;
}

std::string quotedForLog(std::string_view text)
{
    std::string backslashed;
    backslashed.reserve(text.size());
    for (const char c : text) {
        if (c == '"' || c == '\\')
            backslashed += '\\';
        backslashed += c;
    }
    return '"' + escapedForLog(backslashed) + '"';
}

std::string describe(const std::vector<std::string>& elements)
{
    return describeAtMost(elements, elements.size());
}

std::string describeAtMost(const std::vector<std::string>& elements, std::size_t shown)
{
    if (elements.size() <= shown)
        return describeFirst(elements, elements.size());
    return describeFirst(
        std::vector<std::string>(elements.begin(), elements.begin() + static_cast<long>(shown)),
        elements.size());
}

std::string describeFirst(const std::vector<std::string>& first, std::size_t count)
{
    std::string text = "(";
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += quotedForLog(first[i]);
    }
    if (count > first.size())
        text += (first.empty() ? "… " : ", … ") + std::to_string(count) + " elements";
    text += ')';
    return text;
}

std::string describe(const std::optional<std::vector<std::string>>& elements)
{
    return elements ? describe(*elements) : std::string("(null)");
}

} // namespace platform

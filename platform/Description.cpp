#include "platform/Description.h"

#include <cstdio>

namespace platform {

std::string quotedForLog(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
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

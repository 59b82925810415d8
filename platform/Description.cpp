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
    std::string text = "(";
    for (std::size_t i = 0; i < elements.size() && i < shown; ++i) {
        if (i > 0)
            text += ", ";
        text += quotedForLog(elements[i]);
    }
    if (elements.size() > shown)
        text += (shown > 0 ? ", … " : "… ") + std::to_string(elements.size()) + " elements";
    text += ')';
    return text;
}

std::string describe(const std::optional<std::vector<std::string>>& elements)
{
    return elements ? describe(*elements) : std::string("(null)");
}

} // namespace platform

#include "platform/Description.h"

namespace platform {

std::string quotedForLog(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        default:
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::string describe(const std::vector<std::string>& elements)
{
    std::string text = "(";
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += quotedForLog(elements[i]);
    }
    text += ')';
    return text;
}

std::string describe(const std::optional<std::vector<std::string>>& elements)
{
    return elements ? describe(*elements) : std::string("(null)");
}

} // namespace platform

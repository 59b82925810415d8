#include "platform/page/BreakPoints.h"

#include <cctype>

namespace platform {

void BreakPoints::append(std::string& out, std::string_view text)
{
    constexpr std::string_view zeroWidthSpace = "\u200B";
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (std::isspace(byte)) {
            wordLength_ = 0;
            continue;
        }
        if (wordLength_ >= maxWordBytes_ && (byte & 0xC0) != 0x80) {
            out += text.substr(from, i - from);
            out += zeroWidthSpace;
            from = i;
            wordLength_ = 0;
        }
        ++wordLength_;
    }
    out += text.substr(from);
}

bool BreakPoints::needed(std::string_view text) const
{
    std::size_t run = 0;
    for (const char c : text) {
        run = std::isspace(static_cast<unsigned char>(c)) ? 0 : run + 1;
        if (run > maxWordBytes_)
            return true;
    }
    return false;
}

} // namespace platform

#include "platform/page/TextBlocks.h"

namespace platform {

std::size_t blockSeparatorLength(std::string_view text, std::size_t at, bool newlinesCount)
{
    using namespace std::string_view_literals;
    const char c = text[at];
    if (c == '\n' || c == '\r')
        return newlinesCount ? 1 : 0;
    if (c != '\xE2' && c != '\xEF')
        return 0;
    const std::string_view three = text.substr(at, 3);
    return three == "\u2029"sv || three == "\uFDD0"sv || three == "\uFDD1"sv ? 3 : 0;
}

bool TextBlocks::add()
{
    if (blocks_ >= maxBlocks_) {
        exceeded_ = true;
        return false;
    }
    ++blocks_;
    return true;
}

std::size_t TextBlocks::fit(std::string_view text, bool newlinesCount)
{
    using namespace std::string_view_literals;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool afterReturn = afterReturn_;
        afterReturn_ = text[at] == '\r';
        const bool starts = (blockSeparatorLength(text, at, newlinesCount) > 0 &&
                             !(text[at] == '\n' && afterReturn)) ||
                            text.substr(at, 3) == "\u2028"sv;
        if (starts && !add())
            return at;
    }
    return text.size();
}

} // namespace platform

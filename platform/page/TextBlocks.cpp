#include "platform/page/TextBlocks.h"

namespace platform {

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
        const char c = text[at];
        const bool afterReturn = afterReturn_;
        afterReturn_ = c == '\r';
        bool starts = false;
        if (c == '\n' || c == '\r')
            starts = newlinesCount && !(c == '\n' && afterReturn);
        else if (c == '\xE2' || c == '\xEF')
            starts = text.substr(at, 3) == "\u2029"sv || text.substr(at, 3) == "\uFDD0"sv ||
                     text.substr(at, 3) == "\uFDD1"sv;
        if (starts && !add())
            return at;
    }
    return text.size();
}

} // namespace platform

#include "platform/page/LongBlocks.h"

#include "platform/page/TextBlocks.h"

namespace platform {

void LongBlocks::append(std::string& out, std::string_view text, bool newlinesCount,
                        std::string_view separator)
{
    std::size_t from = 0; // start of the text not yet appended
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            continue; // within a character
        if (blockSeparatorLength(text, at, newlinesCount) > 0) {
            chars_ = 0;
            continue;
        }
        if (splitBefore()) {
            out.append(text.substr(from, at - from));
            out.append(separator);
            from = at;
        }
    }
    out.append(text.substr(from));
}

bool LongBlocks::splitBefore()
{
    const bool split = chars_ >= maxChars_;
    chars_ = split ? 1 : chars_ + 1;
    return split;
}

} // namespace platform

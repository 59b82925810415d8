#include "platform/Utf8.h"

namespace platform {
namespace {

unsigned byteAt(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t at)
{
    const unsigned lead = byteAt(text, at);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong below
        if (lead == 0xED)
            high = 0x9F; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong below
        if (lead == 0xF4)
            high = 0x8F; // past U+10FFFF above
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    if (byteAt(text, at + 1) < low || byteAt(text, at + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byteAt(text, at + k) < 0x80 || byteAt(text, at + k) > 0xBF)
            return 0;
    return length;
}

char32_t codePointAt(std::string_view text, std::size_t at, std::size_t length)
{
    constexpr unsigned leadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = byteAt(text, at) & leadBits[length];
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (byteAt(text, at + k) & 0x3F);
    return c;
}

} // namespace platform

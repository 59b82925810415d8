#include "platform/page/PageText.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

enum class Encoding { Utf8, Utf16Le, Utf16Be, Utf32 };

unsigned byteAt(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        out += kReplacement;
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Whether the bytes open as UTF-32 does, little or big endian: with its
// byte-order mark, or with at least one in two of the four-byte units within
// the first 256 bytes an ASCII character other than NUL, as markup is.
bool looksUtf32(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv))
        return true;
    const std::size_t window = std::min<std::size_t>(bytes.size(), 256) & ~std::size_t{3};
    if (window < 8)
        return false;
    for (const bool littleEndian : {true, false}) {
        std::size_t ascii = 0;
        for (std::size_t at = 0; at < window; at += 4) {
            std::uint32_t unit = 0;
            for (std::size_t k = 0; k < 4; ++k)
                unit |= byteAt(bytes, at + k) << (8 * (littleEndian ? k : 3 - k));
            ascii += unit > 0 && unit < 0x80 ? 1 : 0;
        }
        if (ascii * 2 >= window / 4)
            return true;
    }
    return false;
}

// The encoding the first bytes show, and how many bytes of byte-order mark
// lead the text.
std::pair<Encoding, std::size_t> sniff(std::string_view bytes)
{
    if (looksUtf32(bytes))
        return {Encoding::Utf32, 0};
    if (bytes.starts_with("\xFF\xFE"))
        return {Encoding::Utf16Le, 2};
    if (bytes.starts_with("\xFE\xFF"))
        return {Encoding::Utf16Be, 2};
    const std::size_t window = std::min<std::size_t>(bytes.size(), 256) & ~std::size_t{1};
    if (window < 4)
        return {Encoding::Utf8, 0};
    std::size_t zeros[2] = {0, 0}; // at even and odd offsets
    for (std::size_t at = 0; at < window; ++at)
        zeros[at % 2] += bytes[at] == '\0' ? 1 : 0;
    const std::size_t units = window / 2;
    if (zeros[0] == 0 && zeros[1] * 2 >= units)
        return {Encoding::Utf16Le, 0};
    if (zeros[1] == 0 && zeros[0] * 2 >= units)
        return {Encoding::Utf16Be, 0};
    return {Encoding::Utf8, 0};
}

std::string fromUtf16(std::string_view bytes, bool littleEndian)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto unit = [&](std::size_t at) -> char32_t {
        return littleEndian ? byteAt(bytes, at) | (byteAt(bytes, at + 1) << 8)
                            : (byteAt(bytes, at) << 8) | byteAt(bytes, at + 1);
    };
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char32_t first = unit(at);
        if (first >= 0xD800 && first <= 0xDBFF && at + 3 < bytes.size()) {
            const char32_t second = unit(at + 2);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
                at += 2;
                continue;
            }
        }
        appendUtf8(out, first); // a lone surrogate becomes U+FFFD
    }
    if (at < bytes.size())
        out += kReplacement; // half a unit at the end
    return out;
}

} // namespace

PageText pageText(std::string_view bytes)
{
    const auto [encoding, mark] = sniff(bytes);
    if (encoding == Encoding::Utf32)
        return {{}, "UTF-32, not read"};
    if (encoding != Encoding::Utf8)
        return {fromUtf16(bytes.substr(mark), encoding == Encoding::Utf16Le), {}};
    PageText page;
    page.text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        if (length == 0) {
            page.problem = "not UTF-8";
            page.text += kReplacement;
            ++at;
        } else if (bytes[at] == '\0') {
            page.text += kReplacement;
            ++at;
        } else {
            page.text.append(bytes.substr(at, length));
            at += length;
        }
    }
    return page;
}

} // namespace platform

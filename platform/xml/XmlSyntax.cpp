#include "platform/xml/XmlSyntax.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace platform {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// The characters that may begin a name, but the colon, which joins a
// namespace prefix to a name.
constexpr std::array kNameStart{
    Range{'A', 'Z'},       Range{'_', '_'},       Range{'a', 'z'},         Range{0xC0, 0xD6},
    Range{0xD8, 0xF6},     Range{0xF8, 0x2FF},    Range{0x370, 0x37D},     Range{0x37F, 0x1FFF},
    Range{0x200C, 0x200D}, Range{0x2070, 0x218F}, Range{0x2C00, 0x2FEF},   Range{0x3001, 0xD7FF},
    Range{0xF900, 0xFDCF}, Range{0xFDF0, 0xFFFD}, Range{0x10000, 0xEFFFF},
};
// Past the first character of a name, as well as those above.
constexpr std::array kNameRest{
    Range{'-', '.'}, Range{'0', '9'}, Range{0xB7, 0xB7}, Range{0x300, 0x36F}, Range{0x203F, 0x2040},
};
// The characters XML allows.
constexpr std::array kChar{
    Range{0x9, 0xA},       Range{0xD, 0xD},          Range{0x20, 0xD7FF},
    Range{0xE000, 0xFFFD}, Range{0x10000, 0x10FFFF},
};

// libxml2's XML_MAX_NAME_LENGTH.
constexpr std::size_t kLongestName = 50000;

template <std::size_t N> bool within(const std::array<Range, N>& ranges, char32_t c)
{
    return std::any_of(ranges.begin(), ranges.end(),
                       [c](Range r) { return c >= r.first && c <= r.last; });
}

// The value of a hexadecimal or decimal digit; -1 for any other byte.
int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What stands between '&' and ';'. A character reference is "#" and decimal
// digits or "#x" (lower case only) and hexadecimal ones; a value past
// U+10FFFF is held at U+110000, which no character is, so that it cannot
// wrap round.
bool isReference(std::string_view body)
{
    for (const std::string_view predefined : {"lt", "gt", "amp", "apos", "quot"})
        if (body == predefined)
            return true;
    if (!body.starts_with('#'))
        return false;
    const bool hex = body.starts_with("#x");
    const std::string_view digits = body.substr(hex ? 2 : 1);
    char32_t value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c, hex);
        if (digit < 0)
            return false;
        value =
            std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
    }
    return !digits.empty() && within(kChar, value);
}

// An XML name holding no colon.
bool isNameWithoutColon(std::string_view name)
{
    if (name.empty())
        return false;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = utf8SequenceLength(name, at);
        if (length == 0)
            return false;
        const char32_t c = codePointAt(name, at, length);
        if (!within(kNameStart, c) && (at == 0 || !within(kNameRest, c)))
            return false;
        at += length;
    }
    return true;
}

} // namespace

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool isXmlQualifiedName(std::string_view name)
{
    if (name.size() > kLongestName)
        return false;
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? isNameWithoutColon(name)
                                           : isNameWithoutColon(name.substr(0, colon)) &&
                                                 isNameWithoutColon(name.substr(colon + 1));
}

bool isXmlAttributeValue(std::string_view value)
{
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t length = utf8SequenceLength(value, at);
        if (length == 0)
            return false;
        const char32_t c = codePointAt(value, at, length);
        if (!within(kChar, c) || c == '<')
            return false;
        if (c != '&') {
            at += length;
            continue;
        }
        const std::size_t end = value.find(';', at);
        if (end == std::string_view::npos || !isReference(value.substr(at + 1, end - at - 1)))
            return false;
        at = end + 1;
    }
    return true;
}

std::optional<std::string_view> declaredEncoding(std::string_view bytes)
{
    if (!bytes.starts_with("<?xml") || bytes.size() < 6 || !isXmlBlank(bytes[5]))
        return std::nullopt;
    std::string_view rest = bytes.substr(5, bytes.find("?>") - 5);
    const auto skipBlanks = [&rest] {
        while (!rest.empty() && isXmlBlank(rest.front()))
            rest.remove_prefix(1);
    };
    while (true) {
        skipBlanks();
        const std::size_t equals = rest.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        std::string_view name = rest.substr(0, equals);
        while (!name.empty() && isXmlBlank(name.back()))
            name.remove_suffix(1);
        rest.remove_prefix(equals + 1);
        skipBlanks();
        if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
            return std::nullopt;
        const std::size_t close = rest.find(rest.front(), 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        if (name == "encoding")
            return rest.substr(1, close - 1);
        rest.remove_prefix(close + 1);
    }
}

} // namespace platform

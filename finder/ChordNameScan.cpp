#include "finder/ChordNameScan.h"

#include <algorithm>
#include <cctype>

namespace finder {

namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not a
// well-formed one (overlong forms, surrogates and code points past U+10FFFF
// are not).
std::size_t utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
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
    if (i + length > text.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view mark, std::size_t from)
{
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    if (from > text.size())
        return std::string_view::npos;
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                   mark.begin(), mark.end(), sameLetter);
    if (found == text.end())
        return std::string_view::npos;
    return static_cast<std::size_t>(found - text.begin());
}

} // namespace

std::string pageTextFromBytes(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return {};
        i += length;
    }
    return std::string(bytes);
}

std::vector<std::string> boldNames(std::string_view text)
{
    constexpr std::string_view opening = "<b>";
    constexpr std::string_view closing = "</b>";
    std::vector<std::string> names;
    std::size_t position = 0;
    while (true) {
        const std::size_t open = findIgnoringCase(text, opening, position);
        if (open == std::string_view::npos)
            break;
        const std::size_t start = open + opening.size();
        std::size_t close = findIgnoringCase(text, closing, start);
        if (close == std::string_view::npos)
            close = text.size();
        names.emplace_back(text.substr(start, close - start));
        position = close;
    }
    return names;
}

catalogue::AcordeRef firstChordNamed(const catalogue::ChordList& catalogue, std::string_view name)
{
    const std::string key = std::string(name) + "/ ";
    for (const catalogue::AcordeRef& record : catalogue) {
        if (record && (record->Cifra + "/ ").starts_with(key))
            return record;
    }
    return nullptr;
}

catalogue::ChordList chordsNamedInText(std::string_view text, const catalogue::ChordList& catalogue)
{
    catalogue::ChordList found;
    for (const std::string& name : boldNames(text)) {
        if (catalogue::AcordeRef record = firstChordNamed(catalogue, name))
            found.push_back(std::move(record));
    }
    return found;
}

} // namespace finder

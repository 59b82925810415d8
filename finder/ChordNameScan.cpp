#include "finder/ChordNameScan.h"

#include <algorithm>

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

// Whether the symbol followed by "/ " begins with the name followed by "/ ",
// worked out on the texts as they are: the name begins the symbol, and what
// the symbol holds past it is nothing or begins with "/ ".
bool symbolMatches(std::string_view symbol, std::string_view name)
{
    return symbol.starts_with(name) &&
           (symbol.size() == name.size() || symbol.substr(name.size()).starts_with("/ "));
}

} // namespace

std::size_t findIgnoringCase(std::string_view text, std::string_view mark, std::size_t from)
{
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    const auto sameLetter = [&](char a, char b) { return lower(a) == lower(b); };
    if (from > text.size())
        return std::string_view::npos;
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                   mark.begin(), mark.end(), sameLetter);
    if (found == text.end())
        return std::string_view::npos;
    return static_cast<std::size_t>(found - text.begin());
}

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

void forEachBoldName(std::string_view text, const std::function<void(std::string_view)>& visit)
{
    constexpr std::string_view opening = "<b>";
    constexpr std::string_view closing = "</b>";
    std::size_t position = 0;
    while (true) {
        const std::size_t open = findIgnoringCase(text, opening, position);
        if (open == std::string_view::npos)
            break;
        const std::size_t start = open + opening.size();
        std::size_t close = findIgnoringCase(text, closing, start);
        if (close == std::string_view::npos)
            close = text.size();
        visit(text.substr(start, close - start));
        position = close;
    }
}

std::vector<std::string> boldNames(std::string_view text)
{
    std::vector<std::string> names;
    forEachBoldName(text, [&](std::string_view name) { names.emplace_back(name); });
    return names;
}

catalogue::AcordeRef firstChordNamed(const catalogue::ChordList& catalogue, std::string_view name)
{
    for (const catalogue::AcordeRef& record : catalogue) {
        if (record && symbolMatches(record->Cifra, name))
            return record;
    }
    return nullptr;
}

ChordNameIndex::ChordNameIndex(const catalogue::ChordList& catalogue) : catalogue_(catalogue)
{
    for (const catalogue::AcordeRef& record : catalogue) {
        if (!record)
            continue;
        if (record->Cifra.find("/ ") != std::string::npos)
            exactOnly_ = false;
        first_.try_emplace(record->Cifra, record);
    }
}

catalogue::AcordeRef ChordNameIndex::firstChordNamed(std::string_view name) const
{
    if (!exactOnly_)
        return finder::firstChordNamed(catalogue_, name);
    const auto found = first_.find(name);
    return found == first_.end() ? nullptr : found->second;
}

catalogue::ChordList chordsNamedInText(std::string_view text, const catalogue::ChordList& catalogue)
{
    const ChordNameIndex index(catalogue);
    catalogue::ChordList found;
    forEachBoldName(text, [&](std::string_view name) {
        if (catalogue::AcordeRef record = index.firstChordNamed(name))
            found.push_back(std::move(record));
    });
    return found;
}

} // namespace finder

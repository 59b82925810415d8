#include "finder/ChordNameScan.h"

#include <algorithm>

namespace finder {

namespace {

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

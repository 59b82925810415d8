// Browsing the catalogue: by root, type, both, category, favourite mark,
// search text and fret pattern, and the chord count. Every filter builds a
// new list from its source in order and then makes it the filtered list; no
// list in use is changed in place, since the filtered list may be the
// catalogue list itself.
#include "catalogue/Vocabularies.h"
#include "finder/FirstViewController.h"

#include <QString>

namespace finder {
namespace {

using catalogue::beginsWith;

// Containment ignoring ASCII letter case (the category words and the
// favourite mark are ASCII).
bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    if (word.empty())
        return true;
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < word.size() && lower(text[i + k]) == lower(word[k]))
            ++k;
        if (k == word.size())
            return true;
    }
    return false;
}

} // namespace

void FirstViewController::setFilterRoot(const std::string& root)
{
    isFiltered = true;
    auto result = std::make_shared<catalogue::ChordList>();
    if (root == catalogue::kAnyRoot) {
        if (tonicaText)
            tonicaText->setText(QStringLiteral("*"));
        result = allTableData;
    } else if (allTableData) {
        for (const auto& chord : *allTableData)
            if (beginsWith(chord->Tonica, root))
                result->push_back(chord);
    }
    filteredTableData = result;
    reload(tableViewFav);
    reload(tableViewCifras);
    reload(tableViewFotos);
}

void FirstViewController::setFilterType(const std::string& type)
{
    isFiltered = true;
    auto result = std::make_shared<catalogue::ChordList>();
    if (type == catalogue::kAnyTypeField) {
        if (tipoText)
            tipoText->setText(QStringLiteral(" *"));
        result = allTableData;
    } else if (allTableData) {
        for (const auto& chord : *allTableData)
            if (beginsWith(chord->Tipo, type))
                result->push_back(chord);
    }
    filteredTableData = result;
    reload(tableViewCifras);
    reload(tableViewFotos);
}

void FirstViewController::setFilterRootType(const std::string& root, const std::string& type)
{
    isFiltered = true;
    auto result = std::make_shared<catalogue::ChordList>();
    if (allTableData)
        for (const auto& chord : *allTableData)
            if (beginsWith(chord->Tonica, root) && beginsWith(chord->Tipo, type))
                result->push_back(chord);
    filteredTableData = result;
    reload(tableViewCifras);
    reload(tableViewFotos);
    reload(tableViewFav);
}

void FirstViewController::setFilterCateg(QObject*)
{
    // The held-down button names the category; a later one in this order
    // wins when several are down.
    std::string word = "Maior";
    const std::pair<platform::Button*, const char*> buttons[] = {
        {SetTypeM, "Maior"}, {SetTypem, "menor"}, {SetType7, "7"}, {SetTypedim, "dim"}};
    for (const auto& [button, category] : buttons)
        if (button && button->isDown())
            word = category;

    // A new working list, so the walk never appends to the list it walks.
    filteredTableDataType = std::make_shared<catalogue::ChordList>();
    if (filteredTableData)
        for (const auto& chord : *filteredTableData)
            if (containsIgnoringCase(chord->Categoria, word))
                filteredTableDataType->push_back(chord);
    filteredTableData = filteredTableDataType;
    reload(tableViewCifras);
    reload(tableViewFotos);
    reload(tableViewFav);
}

void FirstViewController::setFilterFav()
{
    filteredTableDataType = std::make_shared<catalogue::ChordList>();
    if (allTableData)
        for (const auto& chord : *allTableData)
            if (containsIgnoringCase(chord->Fav, "*"))
                filteredTableDataType->push_back(chord);
    filteredTableData = filteredTableDataType;
    reload(tableViewCifras);
    reload(tableViewFotos);
    reload(tableViewFav);
}

void FirstViewController::searchBarTextDidChange(const std::string& text)
{
    if (text.empty()) {
        isFiltered = false;
    } else {
        isFiltered = true;
        auto result = std::make_shared<catalogue::ChordList>();
        if (allTableData)
            for (const auto& chord : *allTableData)
                if (chord->Cifra.find(text) != std::string::npos)
                    result->push_back(chord);
        filteredTableData = result;
    }
    reload(tableViewCifras);
    reload(tableViewFotos);
}

void FirstViewController::setNChords(const std::string&)
{
    const auto* list = shownList();
    const std::size_t n = list ? list->size() : 0;
    if (labelnChords)
        labelnChords->setText(QStringLiteral("(%1)").arg(n));
}

void FirstViewController::setFilterChord(QObject*)
{
    std::array<std::string, 6> labels;
    for (std::size_t s = 0; s < 6; ++s)
        labels[s] = cdr[s] ? cdr[s]->text().toStdString() : std::string(" ");
    isFiltered = true;
    auto result = std::make_shared<catalogue::ChordList>();
    // A blank label takes any fret on its string, played or not; any other
    // label takes that very fret (a label "1" is fret 1, not 10 to 15).
    if (allTableData)
        for (const auto& chord : *allTableData) {
            bool fits = true;
            for (int s = 1; s <= 6 && fits; ++s) {
                const std::string& label = labels[static_cast<std::size_t>(s - 1)];
                fits = label == " " || chord->fret(s) == label;
            }
            if (fits)
                result->push_back(chord);
        }
    filteredTableData = result;
    reload(tableViewCifras);
    reload(tableViewFotos);
}

} // namespace finder

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

// A new list of the records of `source` that `keep` accepts, in order.
template <class Keep>
catalogue::ChordListRef recordsWhere(const catalogue::ChordListRef& source, Keep keep)
{
    auto result = std::make_shared<catalogue::ChordList>();
    if (source)
        for (const auto& chord : *source)
            if (keep(*chord))
                result->push_back(chord);
    return result;
}

} // namespace

void FirstViewController::setFilterRoot(const std::string& root)
{
    isFiltered = true;
    if (root == catalogue::kAnyRoot) {
        if (tonicaText)
            tonicaText->setText(QStringLiteral("*"));
        filteredTableData = allTableData;
    } else {
        filteredTableData = recordsWhere(
            allTableData, [&](const catalogue::Acorde& c) { return beginsWith(c.Tonica, root); });
    }
    reload(tableViewFav);
    reload(tableViewCifras);
    reload(tableViewFotos);
}

void FirstViewController::setFilterType(const std::string& type)
{
    isFiltered = true;
    if (type == catalogue::kAnyTypeField) {
        if (tipoText)
            tipoText->setText(QStringLiteral(" *"));
        filteredTableData = allTableData;
    } else {
        filteredTableData = recordsWhere(
            allTableData, [&](const catalogue::Acorde& c) { return beginsWith(c.Tipo, type); });
    }
    reload(tableViewCifras);
    reload(tableViewFotos);
}

void FirstViewController::setFilterRootType(const std::string& root, const std::string& type)
{
    isFiltered = true;
    filteredTableData = recordsWhere(allTableData, [&](const catalogue::Acorde& c) {
        return beginsWith(c.Tonica, root) && beginsWith(c.Tipo, type);
    });
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
    filteredTableDataType = recordsWhere(filteredTableData, [&](const catalogue::Acorde& c) {
        return containsIgnoringCase(c.Categoria, word);
    });
    filteredTableData = filteredTableDataType;
    reload(tableViewCifras);
    reload(tableViewFotos);
    reload(tableViewFav);
}

void FirstViewController::setFilterFav()
{
    filteredTableDataType = recordsWhere(
        allTableData, [](const catalogue::Acorde& c) { return containsIgnoringCase(c.Fav, "*"); });
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
        filteredTableData = recordsWhere(allTableData, [&](const catalogue::Acorde& c) {
            return c.Cifra.find(text) != std::string::npos;
        });
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
    // A blank label takes any fret on its string, played or not; any other
    // label takes that very fret (a label "1" is fret 1, not 10 to 15).
    filteredTableData = recordsWhere(allTableData, [&](const catalogue::Acorde& c) {
        for (int s = 1; s <= 6; ++s) {
            const std::string& label = labels[static_cast<std::size_t>(s - 1)];
            if (label != " " && c.fret(s) != label)
                return false;
        }
        return true;
    });
    reload(tableViewCifras);
    reload(tableViewFotos);
}

} // namespace finder

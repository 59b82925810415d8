#include "finder/ChordFinder.h"

#include "finder/ChordNameScan.h"
#include "finder/FavouriteList.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

namespace finder {
namespace {

using catalogue::Acorde;
using catalogue::beginsWith;

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

// Whether a record's field begins with the prefix.
auto fieldBeginsWith(std::string Acorde::*field, const std::string& prefix)
{
    return [field, &prefix](const Acorde& c) { return beginsWith(c.*field, prefix); };
}

// Blanks and tabs off both ends; line breaks stay.
std::string trimmedOfBlanks(const std::string& text)
{
    const QString s = QString::fromStdString(text);
    const auto isBlank = [](QChar c) {
        return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
    };
    qsizetype first = 0, last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return s.mid(first, last - first).toStdString();
}

// The counter's value: leading white space skipped, an optional sign, the
// digits that follow; 0 when the text does not begin with a number.
int counterValue(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && value <= INT_MAX)
        value = value * 10 + (text[i++] - '0');
    value = std::min<long long>(value, INT_MAX);
    return static_cast<int>(negative ? -value : value);
}

template <class List> bool holds(const List& list, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < list.size();
}

} // namespace

catalogue::FretPattern fretsOf(const catalogue::Acorde& record)
{
    return catalogue::FretPattern::of(record).value_or(catalogue::FretPattern{});
}

const catalogue::FretPattern ChordFinder::kOpenC = {
    {catalogue::kMuted, 1, 0, 2, 3, catalogue::kMuted}};

ChordFinder::ChordFinder()
    : allTableData_(std::make_shared<catalogue::ChordList>()),
      filteredTableData_(std::make_shared<catalogue::ChordList>()),
      filteredFavorite_(std::make_shared<catalogue::ChordList>())
{
}

void ChordFinder::start(catalogue::ChordListRef catalogue)
{
    filteredFavorite_ = std::make_shared<catalogue::ChordList>();
    setRootText(kStartRoot);
    setTypeText(" *");
    fretLabels_ = kOpenC;
    isFiltered_ = false;
    filteredTableData_ = std::make_shared<catalogue::ChordList>();
    allTableData_ = catalogue ? std::move(catalogue) : std::make_shared<catalogue::ChordList>();
    chordOnDisplay_ = allTableData_->empty() ? nullptr : allTableData_->front();
    indexFav_ = 0;
    Q_EMIT shownListChanged();
    Q_EMIT favouritesChanged();
}

const catalogue::ChordListRef& ChordFinder::shownList() const
{
    return isFiltered_ ? filteredTableData_ : allTableData_;
}

void ChordFinder::setRootText(const std::string& text)
{
    rootText_ = text;
    Q_EMIT rootTextChanged();
}

void ChordFinder::setTypeText(const std::string& text)
{
    typeText_ = text;
    Q_EMIT typeTextChanged();
}

void ChordFinder::replaceFiltered(catalogue::ChordListRef list, bool filtered)
{
    filteredTableData_ = std::move(list);
    isFiltered_ = filtered;
    Q_EMIT shownListChanged();
}

void ChordFinder::selectRoot(int row)
{
    if (!holds(tonicas(), row))
        return;
    setRootText(tonicas()[static_cast<std::size_t>(row)]);
    filterByRootAndType();
}

void ChordFinder::selectType(int row)
{
    if (!holds(tipos(), row))
        return;
    setTypeText(" " + tipos()[static_cast<std::size_t>(row)]);
    filterByRootAndType();
}

void ChordFinder::filterByRootAndType()
{
    if (typeText_ == catalogue::kAnyTypeField)
        setFilterRoot(rootText_);
    else if (trimmedOfBlanks(rootText_) == catalogue::kAnyRoot)
        setFilterType(typeText_);
    else
        setFilterRootType(rootText_, typeText_);
    setNChords();
}

void ChordFinder::selectChord(int row)
{
    const catalogue::ChordListRef& list = shownList();
    if (!list || !holds(*list, row))
        return;
    const catalogue::AcordeRef record = (*list)[static_cast<std::size_t>(row)];
    indexFav_ = row;
    chordOnDisplay_ = record;
    favouriteOn_ = record->Fav == "*";
    fretLabels_ = fretsOf(*record);
    setRootText(record->Tonica);
    Q_EMIT chordShown();
}

void ChordFinder::setFilterRoot(const std::string& root)
{
    // Decided before the root text changes: `root` may be that very text.
    const bool anyRoot = root == catalogue::kAnyRoot;
    if (anyRoot)
        setRootText("*");
    replaceFiltered(anyRoot ? allTableData_
                            : recordsWhere(allTableData_, fieldBeginsWith(&Acorde::Tonica, root)),
                    true);
    Q_EMIT favouritesChanged();
}

void ChordFinder::setFilterType(const std::string& type)
{
    const bool anyType = type == catalogue::kAnyTypeField;
    if (anyType)
        setTypeText(" *");
    replaceFiltered(anyType ? allTableData_
                            : recordsWhere(allTableData_, fieldBeginsWith(&Acorde::Tipo, type)),
                    true);
}

void ChordFinder::setFilterRootType(const std::string& root, const std::string& type)
{
    const auto rootFits = fieldBeginsWith(&Acorde::Tonica, root);
    const auto typeFits = fieldBeginsWith(&Acorde::Tipo, type);
    replaceFiltered(
        recordsWhere(allTableData_, [&](const Acorde& c) { return rootFits(c) && typeFits(c); }),
        true);
    Q_EMIT favouritesChanged();
}

void ChordFinder::setFilterCateg(const std::string& category)
{
    // A new working list, so the walk never appends to the list it walks.
    filteredTableDataType_ = recordsWhere(filteredTableData_, [&](const Acorde& c) {
        return findIgnoringCase(c.Categoria, category) != std::string::npos;
    });
    replaceFiltered(filteredTableDataType_, isFiltered_);
    Q_EMIT favouritesChanged();
}

void ChordFinder::setFilterFav()
{
    filteredTableDataType_ = recordsWhere(
        allTableData_, [](const Acorde& c) { return c.Fav.find('*') != std::string::npos; });
    replaceFiltered(filteredTableDataType_, isFiltered_);
    Q_EMIT favouritesChanged();
}

void ChordFinder::searchBarTextDidChange(const std::string& text)
{
    if (text.empty()) {
        isFiltered_ = false;
        Q_EMIT shownListChanged();
        return;
    }
    replaceFiltered(
        recordsWhere(allTableData_,
                     [&](const Acorde& c) { return c.Cifra.find(text) != std::string::npos; }),
        true);
}

void ChordFinder::setFretLabels(const catalogue::FretPattern& labels)
{
    fretLabels_ = labels;
}

void ChordFinder::setFilterChord()
{
    const auto fits = [this](const Acorde& c) {
        for (int s = 1; s <= 6; ++s)
            if (fretLabels_.fret(s) != catalogue::kMuted && c.fret(s) != fretLabels_.fretText(s))
                return false;
        return true;
    };
    replaceFiltered(recordsWhere(allTableData_, fits), true);
}

void ChordFinder::setNChords()
{
    const auto& list = shownList();
    Q_EMIT countChanged(list ? static_cast<int>(list->size()) : 0);
}

void ChordFinder::setFavouriteCounter(const std::string& text)
{
    favouriteCounter_ = text;
}

void ChordFinder::SetFavorite()
{
    if (!chordOnDisplay_)
        return;
    const bool marking = !favouriteOn_;
    favouriteOn_ = marking;
    chordOnDisplay_->Fav = marking ? "*" : " ";
    // Every press stamps the record and moves the counter on, un-marking too.
    const int last = counterValue(favouriteCounter_);
    const int next = last == INT_MAX ? last : last + 1;
    char order[16];
    std::snprintf(order, sizeof order, "%03d", next);
    chordOnDisplay_->FavOrder = order;
    favouriteCounter_ = order;
    if (marking)
        addFavourite(*filteredFavorite_, chordOnDisplay_);
    else
        std::erase(*filteredFavorite_, chordOnDisplay_);
    Q_EMIT favouriteMarkChanged();
    Q_EMIT favouritesChanged();
}

void ChordFinder::ClearFavorites()
{
    filteredFavorite_ = std::make_shared<catalogue::ChordList>();
    Q_EMIT favouritesChanged();
}

void ChordFinder::favouritesReturned()
{
    Q_EMIT favouritesChanged();
}

void ChordFinder::lerCifras(const std::string& pageText)
{
    if (allTableData_)
        addFavourites(*filteredFavorite_, chordsNamedInText(pageText, *allTableData_));
}

} // namespace finder

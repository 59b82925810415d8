// Marking the chord on display as a favourite, and emptying the favourites.
#include "finder/FirstViewController.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

namespace finder {
namespace {

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

} // namespace

void FirstViewController::SetFavorite()
{
    if (!chordOnDisplay || !filteredFavorite)
        return;
    const bool marking = !FavoriteOnOff || FavoriteOnOff->tag() != 1;
    const std::string mark = marking ? "*" : " ";
    if (labelFavorite)
        labelFavorite->setText(QString::fromStdString(mark));
    if (FavoriteOnOff)
        FavoriteOnOff->setTag(marking ? 1 : 0);
    chordOnDisplay->Fav = mark;

    auto& favourites = *filteredFavorite;
    if (marking) {
        const int last = FavNumber ? counterValue(FavNumber->text().toStdString()) : 0;
        const int next = last == INT_MAX ? last : last + 1;
        char order[16];
        std::snprintf(order, sizeof order, "%03d", next);
        chordOnDisplay->FavOrder = order;
        if (FavNumber)
            FavNumber->setText(QString::fromLatin1(order));
        if (std::find(favourites.begin(), favourites.end(), chordOnDisplay) == favourites.end())
            favourites.push_back(chordOnDisplay);
    } else {
        std::erase(favourites, chordOnDisplay);
    }
    reload(tableViewFav);
}

void FirstViewController::ClearFavorites()
{
    filteredFavorite = std::make_shared<catalogue::ChordList>();
    reload(tableViewFav);
}

} // namespace finder

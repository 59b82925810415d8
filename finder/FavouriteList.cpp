#include "finder/FavouriteList.h"

#include <algorithm>
#include <unordered_set>

namespace finder {

bool addFavourite(catalogue::ChordList& favourites, const catalogue::AcordeRef& record)
{
    if (!record || std::find(favourites.begin(), favourites.end(), record) != favourites.end())
        return false;
    favourites.push_back(record);
    return true;
}

void addFavourites(catalogue::ChordList& favourites, const catalogue::ChordList& records)
{
    // One set for the whole batch: a page may name the same few chords
    // hundreds of thousands of times.
    std::unordered_set<const catalogue::Acorde*> held;
    held.reserve(favourites.size() + records.size());
    for (const auto& record : favourites)
        held.insert(record.get());
    for (const auto& record : records)
        if (record && held.insert(record.get()).second)
            favourites.push_back(record);
}

} // namespace finder

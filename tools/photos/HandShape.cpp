#include "tools/photos/HandShape.h"

#include <algorithm>

namespace photos {

std::optional<Barre> findBarre(const FretPattern& frets)
{
    const int lowest = frets.lowestFret();
    if (lowest == 0)
        return std::nullopt;
    int low = 0;
    int high = 0;
    int count = 0;
    for (int s = 1; s <= kStrings; ++s) {
        if (frets[s - 1] != lowest)
            continue;
        if (low == 0)
            low = s;
        high = s;
        ++count;
    }
    if (count < 2)
        return std::nullopt;
    for (int s = 1; s <= high; ++s)
        if (frets[s - 1] == 0)
            return std::nullopt;
    return Barre{lowest, low, high};
}

int firstFretShown(const FretPattern& frets)
{
    const int highest = *std::max_element(frets.begin(), frets.end());
    if (highest <= kFretsShown)
        return 1;
    return frets.lowestFret();
}

bool fitsInPicture(const FretPattern& frets)
{
    const int highest = *std::max_element(frets.begin(), frets.end());
    return highest < firstFretShown(frets) + kFretsShown;
}

} // namespace photos

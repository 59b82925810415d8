#include "tools/photos/HandShape.h"

#include <algorithm>

namespace photos {

namespace {
int lowestFretted(const Frets& frets)
{
    int lowest = 0;
    for (int f : frets)
        if (f > 0 && (lowest == 0 || f < lowest))
            lowest = f;
    return lowest;
}
} // namespace

std::optional<Frets> parseFrets(const catalogue::Acorde& record)
{
    return catalogue::fretsOf(record);
}

std::optional<Barre> findBarre(const Frets& frets)
{
    const int lowest = lowestFretted(frets);
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

int firstFretShown(const Frets& frets)
{
    const int highest = *std::max_element(frets.begin(), frets.end());
    if (highest <= kFretsShown)
        return 1;
    return lowestFretted(frets);
}

bool fitsInPicture(const Frets& frets)
{
    const int highest = *std::max_element(frets.begin(), frets.end());
    return highest < firstFretShown(frets) + kFretsShown;
}

} // namespace photos

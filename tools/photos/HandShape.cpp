#include "tools/photos/HandShape.h"

#include <algorithm>

namespace photos {

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

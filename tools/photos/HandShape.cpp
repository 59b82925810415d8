#include "tools/photos/HandShape.h"

namespace photos {

int firstFretShown(const FretPattern& frets)
{
    if (frets.highestFret() <= kFretsShown)
        return 1;
    return frets.lowestFret();
}

bool fitsInPicture(const FretPattern& frets)
{
    return frets.highestFret() < firstFretShown(frets) + kFretsShown;
}

} // namespace photos

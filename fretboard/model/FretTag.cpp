#include "fretboard/model/FretTag.h"

namespace fretboard {

long tagForPosition(Position position)
{
    const long scale = position.fret < 10 ? 10 : 100;
    return scale * position.string + position.fret;
}

std::optional<Position> positionFromTag(long tag)
{
    // Two digits: string then a one-digit fret. Three digits: string then a
    // two-digit fret, which must be 10..15 (no leading zero).
    Position position;
    if (tag >= 10 && tag <= 99) {
        position = {static_cast<int>(tag / 10), static_cast<int>(tag % 10)};
    } else if (tag >= 100 && tag <= 999 && tag % 100 >= 10) {
        position = {static_cast<int>(tag / 100), static_cast<int>(tag % 100)};
    } else {
        return std::nullopt;
    }
    if (!position.isValid())
        return std::nullopt;
    return position;
}

} // namespace fretboard

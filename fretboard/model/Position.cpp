#include "fretboard/model/Position.h"

#include <cstdio>

namespace fretboard {

bool Position::isValid() const
{
    return string >= kHighEString && string <= kLowEString && fret >= kOpenString &&
           fret <= kLastFret;
}

std::string stringPrefix(int string)
{
    return "C" + std::to_string(string) + "C";
}

std::string positionName(Position position)
{
    return stringPrefix(position.string) + std::to_string(position.fret);
}

std::string playerName(Position position)
{
    return "n" + positionName(position);
}

std::string sampleResourceName(Position position)
{
    std::string name = "C" + std::to_string(position.string);
    if (position.fret == kOpenString)
        return name;
    char fret[8];
    std::snprintf(fret, sizeof fret, "-%03d", position.fret);
    return name + fret;
}

std::optional<Position> positionFromName(std::string_view name)
{
    // "C<digit>C<fret>", the fret being "0".."9" or "10".."15".
    if (name.size() < 4 || name.size() > 5 || name[0] != 'C' || name[2] != 'C')
        return std::nullopt;
    if (name[1] < '1' || name[1] > '6')
        return std::nullopt;
    const std::string_view fret = name.substr(3);
    Position position{name[1] - '0', 0};
    for (char c : fret) {
        if (c < '0' || c > '9')
            return std::nullopt;
        position.fret = position.fret * 10 + (c - '0');
    }
    if (fret.size() == 2 && fret[0] == '0') // a leading zero names nothing
        return std::nullopt;
    if (!position.isValid())
        return std::nullopt;
    return position;
}

} // namespace fretboard

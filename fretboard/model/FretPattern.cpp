#include "fretboard/model/FretPattern.h"

namespace fretboard {

std::optional<int> fretFromText(std::string_view text)
{
    const auto position = positionFromName("C1C" + std::string(text));
    if (!position)
        return std::nullopt;
    return position->fret;
}

FretText fretText(int fret)
{
    return std::to_string(fret);
}

std::optional<Position> playedPosition(int string, std::string_view text)
{
    if (string < kHighEString || string > kLowEString)
        return std::nullopt;
    return positionFromName(stringPrefix(string) + std::string(text));
}

FretText toggledFretText(std::string_view current, std::string_view tapped)
{
    if (current == tapped)
        return FretText(kNotPlayed);
    return FretText(tapped);
}

std::string formatPattern(const FretPattern& pattern)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i > 0)
            out += ',';
        out += pattern[i] == kNotPlayed ? std::string("x") : pattern[i];
    }
    return out;
}

} // namespace fretboard

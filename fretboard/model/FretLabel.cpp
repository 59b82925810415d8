#include "fretboard/model/FretLabel.h"

namespace fretboard {

std::optional<Position> playedPosition(int string, std::string_view text)
{
    const auto fret = catalogue::parseFretText(text);
    const Position position{string, fret.value_or(catalogue::kMuted)};
    if (!position.isValid())
        return std::nullopt;
    return position;
}

std::string toggledFretText(std::string_view current, std::string_view tapped)
{
    if (current == tapped)
        return std::string(catalogue::kNotPlayedText);
    return std::string(tapped);
}

catalogue::FretPattern patternOfTexts(const std::array<std::string, kStringCount>& texts)
{
    catalogue::FretPattern pattern;
    for (int string = kHighEString; string <= kLowEString; ++string)
        if (const auto position =
                playedPosition(string, texts[static_cast<std::size_t>(string - 1)]))
            pattern.frets[static_cast<std::size_t>(string - 1)] = position->fret;
    return pattern;
}

} // namespace fretboard

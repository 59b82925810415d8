#include "catalogue/FretPattern.h"

#include <algorithm>

namespace catalogue {

std::optional<int> parseFretText(std::string_view t)
{
    if (t == kNotPlayedText)
        return kMuted;
    if (t.empty() || t.size() > 2 || (t.size() == 2 && t[0] == '0'))
        return std::nullopt;
    int v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > kHighestFret)
        return std::nullopt;
    return v;
}

std::string fretText(int fret)
{
    return fret == kMuted ? std::string(kNotPlayedText) : std::to_string(fret);
}

std::optional<FretPattern> FretPattern::parse(const std::array<std::string_view, 6>& texts)
{
    FretPattern pattern;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto fret = parseFretText(texts[i]);
        if (!fret)
            return std::nullopt;
        pattern.frets[i] = *fret;
    }
    return pattern;
}

std::optional<FretPattern> FretPattern::of(const Acorde& record)
{
    return parse({record.C1, record.C2, record.C3, record.C4, record.C5, record.C6});
}

std::string FretPattern::fretText(int string) const
{
    return catalogue::fretText(fret(string));
}

std::string FretPattern::format() const
{
    std::string out;
    for (std::size_t i = 0; i < frets.size(); ++i) {
        if (i)
            out += ',';
        out += frets[i] == kMuted ? std::string("x") : std::to_string(frets[i]);
    }
    return out;
}

std::vector<int> FretPattern::soundedStrings() const
{
    std::vector<int> strings;
    for (int s = 1; s <= 6; ++s)
        if (fret(s) != kMuted)
            strings.push_back(s);
    return strings;
}

int FretPattern::lowestFret() const
{
    int lowest = 0;
    for (int f : frets)
        if (f > 0 && (lowest == 0 || f < lowest))
            lowest = f;
    return lowest;
}

int FretPattern::highestFret() const
{
    int highest = 0;
    for (int f : frets)
        highest = std::max(highest, f);
    return highest;
}

std::vector<int> FretPattern::pitches() const
{
    std::vector<int> notes;
    for (std::size_t i = 0; i < frets.size(); ++i)
        if (frets[i] != kMuted)
            notes.push_back(kOpenStringMidi[i] + frets[i]);
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

int FretPattern::fretSum() const
{
    int sum = 0;
    for (int f : frets)
        if (f > 0)
            sum += f;
    return sum;
}

} // namespace catalogue

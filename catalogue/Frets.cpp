#include "catalogue/Frets.h"

namespace catalogue {
std::optional<int> parseFretText(std::string_view t)
{
    if (t == " ")
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

std::optional<Frets> fretsOf(const Acorde& record)
{
    Frets frets{};
    for (int s = 1; s <= 6; ++s) {
        auto f = parseFretText(record.fret(s));
        if (!f)
            return std::nullopt;
        frets[static_cast<std::size_t>(s - 1)] = *f;
    }
    return frets;
}

std::string fretText(int fret)
{
    return fret == kMuted ? std::string(" ") : std::to_string(fret);
}

std::string toString(const Frets& frets)
{
    std::string s;
    for (std::size_t i = 0; i < frets.size(); ++i) {
        if (i)
            s += ',';
        s += frets[i] == kMuted ? std::string("x") : std::to_string(frets[i]);
    }
    return s;
}

int fretSum(const Frets& frets)
{
    int sum = 0;
    for (int f : frets)
        if (f > 0)
            sum += f;
    return sum;
}

} // namespace catalogue

#pragma once
// Fret patterns written from the low E string to the high E, as chord books
// do: "x,3,2,0,1,0".
#include "catalogue/FretPattern.h"

#include <array>
#include <ostream>
#include <string>

inline catalogue::FretPattern book(const std::array<int, 6>& frets)
{
    catalogue::FretPattern p;
    for (std::size_t i = 0; i < 6; ++i)
        p[5 - i] = frets[i];
    return p;
}

inline std::string bookText(const catalogue::FretPattern& p)
{
    std::string out;
    for (int s = 6; s >= 1; --s) {
        if (s < 6)
            out += ',';
        out += p.fret(s) == catalogue::kMuted ? "x" : std::to_string(p.fret(s));
    }
    return out;
}

namespace catalogue {
// How a failing test shows a pattern.
inline void PrintTo(const FretPattern& p, std::ostream* out)
{
    *out << bookText(p);
}
} // namespace catalogue

#pragma once
// A position on the fretboard and the names that identify it.
//
// Strings are numbered 1 to 6 in standard tuning: string 1 is the high E string
// (the highest-sounding), string 6 the low E string. Each string has 16
// positions, 0 to 15: position 0 is the open string, 1 to 15 are frets 1 to 15.
// That gives 96 positions. A position's name ("C6C3") is its identity: it names
// its fret button, and behind an "n" ("nC6C3") its sample player.
#include <optional>
#include <string>
#include <string_view>

namespace fretboard {

inline constexpr int kStringCount = 6;
inline constexpr int kHighEString = 1; // string 1
inline constexpr int kLowEString = 6;  // string 6
inline constexpr int kOpenString = 0;  // position 0: the string played open
inline constexpr int kLastFret = 15;
inline constexpr int kPositionsPerString = kLastFret + 1;
inline constexpr int kPositionCount = kStringCount * kPositionsPerString;

struct Position {
    int string = kHighEString; // 1 (high E) .. 6 (low E)
    int fret = kOpenString;    // 0 (open string) .. 15

    bool isValid() const;
    friend bool operator==(const Position&, const Position&) = default;
};

// "C1C" .. "C6C": the letter C, the string number, the letter C.
std::string stringPrefix(int string);

// "C6C3": the string prefix and the fret number, no leading zeros.
std::string positionName(Position position);

// "nC6C3": the name of the position's sample player.
std::string playerName(Position position);

// The bundle resource holding the position's sample (type "mp3"): "C6" for an
// open string, "C6-003" for fret 3.
std::string sampleResourceName(Position position);

// The position a name stands for, only for the 96 exact names "C1C0" .. "C6C15":
// no leading zeros, no blanks, upper-case C. Anything else names no position.
std::optional<Position> positionFromName(std::string_view name);

} // namespace fretboard

#pragma once
// How a chord voicing is held: what each of the six strings does.
//
// A fret text says what one string does: " " (one blank) when the string is
// not played, else the fret number without leading zeros, "0" (played open)
// to "15". These 17 texts are the only fret texts. Six of them, strings 1
// (high E) to 6 (low E), are a record's C1..C6, the fretboard's six labels and
// what the drawing and the chord player are given; a FretPattern holds them
// as numbers.
#include "catalogue/Acorde.h"

#include <array>
#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

inline constexpr int kMuted = -1; // the string is not played
inline constexpr int kHighestFret = 15;
inline constexpr std::string_view kNotPlayedText = " ";
// Standard tuning as MIDI notes, string 1 (E4) to string 6 (E2).
inline constexpr std::array<int, 6> kOpenStringMidi = {64, 59, 55, 50, 45, 40};

// The fret of one fret text: kMuted for " ", 0 to 15 for "0" to "15"; nothing
// for any other text.
std::optional<int> parseFretText(std::string_view text);
// " " for kMuted, else the fret number in decimal.
std::string fretText(int fret);

// Index 0 holds string 1 (high E), index 5 string 6 (low E); kMuted, 0 (open)
// or 1 to 15 each.
struct FretPattern {
    std::array<int, 6> frets{kMuted, kMuted, kMuted, kMuted, kMuted, kMuted};

    // Six fret texts, strings 1 to 6; nothing when one is no fret text.
    static std::optional<FretPattern> parse(const std::array<std::string_view, 6>& texts);
    // A record's C1..C6.
    static std::optional<FretPattern> of(const Acorde& record);

    // By string number, 1 (high E) to 6 (low E).
    int fret(int string) const { return frets[static_cast<std::size_t>(string - 1)]; }
    std::string fretText(int string) const;
    // Compact form, strings 1 to 6: "x,1,0,2,3,x".
    std::string format() const;
    // The strings played (open or fretted), by number, string 1 first.
    std::vector<int> soundedStrings() const;
    // The lowest and highest fret held down (1 to 15); 0 when every played
    // string is open.
    int lowestFret() const;
    int highestFret() const;
    // Sum of the played strings' frets.
    int fretSum() const;
    // The notes sounded, as MIDI numbers, each once, lowest first: two
    // patterns with the same notes sound the same chord in the same octaves,
    // whatever strings carry them.
    std::vector<int> pitches() const;

    int operator[](std::size_t i) const { return frets[i]; }
    int& operator[](std::size_t i) { return frets[i]; }
    static constexpr std::size_t size() { return 6; }
    auto begin() const { return frets.begin(); }
    auto end() const { return frets.end(); }
    friend auto operator<=>(const FretPattern&, const FretPattern&) = default;
};

} // namespace catalogue

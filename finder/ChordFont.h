#pragma once
// The chord-symbol font and the sizes it is shown at.

namespace finder {

inline constexpr const char* kChordFont = "OpusChordsStd";
inline constexpr double kChordLabelFontSize = 40.0; // the chord on display
inline constexpr double kGridFontSize = 24.0;       // the favourites grids
inline constexpr double kTableFontSize = 20.0;
inline constexpr double kSmallTableFontSize = 18.0;

} // namespace finder

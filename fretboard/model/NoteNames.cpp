#include "fretboard/model/NoteNames.h"

#include "fretboard/model/Position.h"

#include <array>
#include <optional>

namespace fretboard {

namespace {

const std::string kC = "C ";
const std::string kCs = "C# Db ";
const std::string kD = "D ";
const std::string kDs = "D# Eb ";
const std::string kE = "E ";
const std::string kF = "F ";
const std::string kFs = "F# Gb ";
const std::string kG = "G ";
const std::string kGs = "G# Ab ";
const std::string kA = "A ";
const std::string kAs = "A# Bb ";
const std::string kB = "B ";
const std::string kNoNote = " ";

// clang-format off
// Rows are positions 0 to 15, columns strings 1 (high E) to 6 (low E).
// Position p of a string is p semitones above its open note.
const std::array<std::array<const std::string*, kStringCount>, kPositionsPerString> kTable{{
    //  1 (E)  2 (B)  3 (G)  4 (D)  5 (A)  6 (E)
    {{&kE, &kB, &kG, &kD, &kA, &kE}},        // 0
    {{&kF, &kC, &kGs, &kDs, &kAs, &kF}},     // 1
    {{&kFs, &kCs, &kA, &kE, &kB, &kFs}},     // 2
    {{&kG, &kD, &kAs, &kF, &kC, &kG}},       // 3
    {{&kGs, &kDs, &kB, &kFs, &kCs, &kGs}},   // 4
    {{&kA, &kE, &kC, &kG, &kD, &kA}},        // 5
    {{&kAs, &kF, &kCs, &kGs, &kDs, &kAs}},   // 6
    {{&kB, &kFs, &kD, &kA, &kE, &kB}},       // 7
    {{&kC, &kG, &kDs, &kAs, &kF, &kC}},      // 8
    {{&kCs, &kGs, &kE, &kB, &kFs, &kCs}},    // 9
    {{&kD, &kA, &kF, &kC, &kG, &kD}},        // 10
    {{&kDs, &kAs, &kFs, &kCs, &kGs, &kDs}},  // 11
    {{&kE, &kB, &kG, &kD, &kA, &kE}},        // 12
    {{&kF, &kC, &kGs, &kDs, &kAs, &kF}},     // 13
    {{&kFs, &kCs, &kA, &kE, &kB, &kFs}},     // 14
    {{&kG, &kD, &kAs, &kF, &kC, &kG}},       // 15
}};
// clang-format on

} // namespace

const std::string& noteNameForFretButton(std::string_view name)
{
    const std::optional<Position> position = positionFromName(name);
    if (!position)
        return kNoNote;
    return *kTable[position->fret][position->string - 1];
}

bool isRootNote(std::string_view noteName, std::string_view rootText)
{
    // An empty root text is found nowhere, as in the platform's substring search.
    return !rootText.empty() && noteName.find(rootText) != std::string_view::npos;
}

} // namespace fretboard

#include "fretboard/model/NoteNames.h"

#include "catalogue/ChordNaming.h"
#include "catalogue/FretPattern.h"
#include "fretboard/model/Position.h"

#include <array>
#include <optional>

namespace fretboard {

namespace {

// By pitch class, C first.
const std::array<std::string, 12> kNoteNames = {
    "C ", "C# Db ", "D ", "D# Eb ", "E ", "F ", "F# Gb ", "G ", "G# Ab ", "A ", "A# Bb ", "B "};
const std::string kNoNote = " ";

} // namespace

const std::string& noteNameForFretButton(std::string_view name)
{
    const std::optional<Position> position = positionFromName(name);
    if (!position)
        return kNoNote;
    // Position p of a string is p semitones above its open note.
    const int midi =
        catalogue::kOpenStringMidi[static_cast<std::size_t>(position->string - 1)] + position->fret;
    return kNoteNames[static_cast<std::size_t>(catalogue::mod12(midi))];
}

bool isRootNote(std::string_view noteName, std::string_view rootText)
{
    // An empty root text is found nowhere, as in the platform's substring search.
    return !rootText.empty() && noteName.find(rootText) != std::string_view::npos;
}

} // namespace fretboard

#pragma once
// Which note lies at each fretboard position.
//
// A note-name text names one pitch class: a natural note is its letter and one
// blank ("C "), a note with two names is the sharp name, a blank, the flat name
// and a blank ("C# Db "). Every note name inside is followed by exactly one
// blank, so a root text such as "C " or "Db " is found (plain substring search)
// only in the text of its own pitch class.
#include <string>
#include <string_view>

namespace fretboard {

// The note-name text of a fretboard position name ("C3C1" gives "G# Ab ").
// Any text that is not exactly one of the 96 position names gives " " (one
// blank): a string not played ("C3C "), a leading zero, a player name, other
// case, surrounding blanks, the empty text. The result lives for the program.
const std::string& noteNameForFretButton(std::string_view positionName);

// Whether a position with this note-name text is a root position for the
// root text on display ("C ", "Db ", "*" for every root, which marks none).
bool isRootNote(std::string_view noteName, std::string_view rootText);

} // namespace fretboard

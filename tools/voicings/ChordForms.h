#pragma once
// The shapes players learn for a chord, derived from its tones alone: the
// five movable forms built on the open C, A, G, E and D major shapes, and the
// four-note drop-2 and drop-3 forms on adjacent strings.
//
// A form of a chord family is the major shape with each of its notes moved
// the fewest semitones onto the family's tones (a note may also be left out,
// at a cost), keeping the notes within the shape's four frets and the result
// a voicing of the chord one hand can hold. In open position the shape stands
// at the nut, its open strings sounding; up the neck the index bars the
// nut's place.
#include "catalogue/ChordTones.h"
#include "catalogue/FretPattern.h"

#include <array>
#include <optional>

namespace voicings {

// In the order a chord book shows them.
enum class FormClass {
    OpenForm,    // a form at the nut: open strings, fretted notes within fret 3
    LowestBarre, // the E or A form at its lowest place up the neck
    OtherForm,   // any other form, or a drop-2 or drop-3 shape
    NoForm,
};

struct FormMatch {
    FormClass formClass = FormClass::NoForm;
    int dropped = 0; // notes of the form the voicing leaves out
};

class ChordForms {
public:
    ChordForms(const catalogue::ChordTones& chord, int bassInterval);

    // The best form a legal voicing of the chord over rootPc is.
    FormMatch classify(const catalogue::FretPattern& frets, int rootPc) const;

    // The form's frets over rootPc with the root string at `anchor`, if the
    // family has that form. `open` asks for the shape at the nut.
    enum Shape { C, A, G, E, D };
    std::optional<catalogue::FretPattern> formAt(Shape shape, bool open, int rootPc,
                                                 int anchor) const;

private:
    // Fret offsets from the root string's fret, by string (index 0 is string
    // 1), with a mark for a string the form leaves silent.
    using Offsets = std::array<int, 6>;
    std::array<std::optional<Offsets>, 5> open_;
    std::array<std::optional<Offsets>, 5> movable_;
    const catalogue::ChordTones& chord_;
    int bassInterval_;

    bool isDropForm(const catalogue::FretPattern& frets, int rootPc) const;
};

} // namespace voicings

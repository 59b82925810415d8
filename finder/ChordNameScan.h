#pragma once
// Picking chord names out of a web page: every name marked bold ("<b>Am</b>")
// is looked up among the catalogue's chord symbols, and the first record of
// each name found joins the favourites.
#include "catalogue/Acorde.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace finder {

// Where mark first occurs in text at or after from, ASCII letters matched
// regardless of case; npos when it does not occur.
std::size_t findIgnoringCase(std::string_view text, std::string_view mark, std::size_t from = 0);

// The bold-marked names of a page text, in page order, repeats included. A
// name runs from just after an opening mark "<b>" to the next closing mark
// "</b>", or to the end of the text when none follows. Marks are matched
// regardless of case ("<B>"); the name is taken as it stands, blanks and any
// markup inside included.
std::vector<std::string> boldNames(std::string_view text);

// The same names, each handed to visit as a view into the text, without a
// copy. The scan ends after the last opening mark.
void forEachBoldName(std::string_view text, const std::function<void(std::string_view)>& visit);

// The first record, in catalogue order, whose chord symbol (Cifra) is the
// name: its symbol followed by "/ " must begin with the name followed by "/ ".
// Case matters. Null when no record matches.
catalogue::AcordeRef firstChordNamed(const catalogue::ChordList& catalogue, std::string_view name);

// The first record of each chord symbol, built once over a catalogue so that
// each name costs one look-up instead of a pass over the catalogue. Answers
// exactly as firstChordNamed() does. The catalogue must outlive the index.
class ChordNameIndex {
public:
    explicit ChordNameIndex(const catalogue::ChordList& catalogue);
    catalogue::AcordeRef firstChordNamed(std::string_view name) const;

private:
    const catalogue::ChordList& catalogue_;
    // Symbol to its first record. When some symbol holds "/ ", a name can
    // match a symbol it is not equal to, and every look-up searches the
    // catalogue instead.
    std::unordered_map<std::string_view, catalogue::AcordeRef> first_;
    bool exactOnly_ = true;
};

// The records that importing the text appends to the favourites: for each
// bold name in page order, its first matching record; unmatched names add
// nothing.
catalogue::ChordList chordsNamedInText(std::string_view text,
                                       const catalogue::ChordList& catalogue);

} // namespace finder

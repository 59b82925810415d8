#pragma once
// Picking chord names out of a web page: every name marked bold ("<b>Am</b>")
// is looked up among the catalogue's chord symbols, and the first record of
// each name found joins the favourites.
#include "catalogue/Acorde.h"

#include <string>
#include <string_view>
#include <vector>

namespace finder {

// The page's text: its bytes as they are when they are valid UTF-8, else the
// empty text (an undecodable page shows nothing and yields no names).
std::string pageTextFromBytes(std::string_view bytes);

// The bold-marked names of a page text, in page order, repeats included. A
// name runs from just after an opening mark "<b>" to the next closing mark
// "</b>", or to the end of the text when none follows. Marks are matched
// regardless of case ("<B>"); the name is taken as it stands, blanks and any
// markup inside included.
std::vector<std::string> boldNames(std::string_view text);

// The first record, in catalogue order, whose chord symbol (Cifra) is the
// name: its symbol followed by "/ " must begin with the name followed by "/ ".
// Case matters. Null when no record matches.
catalogue::AcordeRef firstChordNamed(const catalogue::ChordList& catalogue, std::string_view name);

// The records that importing the text appends to the favourites: for each
// bold name in page order, its first matching record; unmatched names add
// nothing.
catalogue::ChordList chordsNamedInText(std::string_view text,
                                       const catalogue::ChordList& catalogue);

} // namespace finder

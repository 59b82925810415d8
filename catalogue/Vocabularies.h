#pragma once
// The root and chord-type vocabularies and the text forms built on them.
//  - Root text: a root name and one closing blank ("C ", "C# ", "Db ").
//  - Type entry: an entry of the type list ("m7 ", "m7/", " triad ", "/ ").
//  - Type text: the form of a record's Tipo, a blank, the suffix and a blank
//    (" m7 ", " m7/ ", "  triad "); the plain major chord is "  . ".
//  - Type field text: one blank and the entry, as a tap on a type row writes it.
// Records are matched to a chosen root or type by prefix, never by equality.
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// The plain major chord's type text: no type-list entry produces it.
inline constexpr std::string_view kPlainMajorType = "  . ";
// "Every root" and "every type" as the root and type fields hold them.
inline constexpr std::string_view kAnyRoot = "*";
inline constexpr std::string_view kAnyTypeField = " *";

// 18 entries: "*" and the 17 root texts in catalogue order.
const std::vector<std::string>& tonicas();
// 91 entries: "*" and the 90 type entries in catalogue order, blanks included.
const std::vector<std::string>& tipos();

// "C# " -> "C#": the root text without its closing blank.
std::string rootName(std::string_view rootText);
// "m7 " -> " m7 ", "m7/" -> " m7/ ", " triad " -> "  triad ".
std::string typeText(std::string_view typeEntry);
// "m7/" -> " m7/": what the type field holds after a tap on the entry.
std::string typeFieldText(std::string_view typeEntry);
// The prefix test of the filters: does text begin with prefix?
bool beginsWith(std::string_view text, std::string_view prefix);

// A slash type's text ends in "/ " (" / ", " m7/ ").
bool isSlashType(std::string_view tipo);
// The category word of a type text: "Maior", "menor", "7", "dim" or "NA";
// empty for a text that is no type.
std::string categoria(std::string_view tipo);
// The type texts of the catalogue in order: "  . " first, then the 90 entries.
const std::vector<std::string>& typeTexts();

} // namespace catalogue

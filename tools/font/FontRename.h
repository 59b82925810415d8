#pragma once
// A copy of a TrueType font under another family name. The naming table's
// family, unique, full, PostScript and typographic family names become the
// new name; every glyph, metric and other name (copyright, licence, version)
// is kept. The checksums are made anew.
#include <string>

namespace fonttool {

struct Renamed {
    std::string font;  // the new font's bytes; empty on failure
    std::string error; // why, on failure
};

// `family` must be plain ASCII, as a PostScript name must be.
Renamed renameFamily(const std::string& font, const std::string& family);

} // namespace fonttool

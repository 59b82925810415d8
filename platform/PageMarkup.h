#pragma once
// A safe copy of a fetched page for showing: the rich-text engine gets markup
// that names no resource to load and nests no deeper than it can lay out
// quickly, or, for a page with more elements than it can lay out within about
// a second, the page's text alone.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

struct PageMarkupLimits {
    std::size_t maxDepth = 24;             // elements open at once; deeper tags are dropped
    std::size_t maxTables = 2;             // tables open at once; deeper ones are dropped
    std::size_t maxElements = 100000;      // past this, the page is shown as text
    std::size_t maxTextBytes = 512 * 1024; // past this, as its text cut here
};

struct ShownPage {
    std::string content;
    bool isText = false; // content is plain text rather than markup
};

// The page as markup: scripts, style sheets, templates and their content are
// left out, and so are the tags of images, links, frames, embedded objects
// and media; comments and declarations go too. Tags opened past the depth
// bound, and tables past the table bound with all their parts, are left out
// with their closing tags (their text stays); a closing tag with no open
// element of its name is dropped. A run of text without white space gets a
// zero-width space every 64 bytes, where the layout may break it. Past the
// element bound, the page's text alone, without any tag, comment, script or
// style sheet; past the text bound, that text cut there and followed by a
// line saying so. Any thread.
ShownPage pageToShow(std::string_view html, const PageMarkupLimits& limits = {});

} // namespace platform

#pragma once
// The markup the page view shows for a fetched page, written here from the
// page's parse tree as the HTML parser reports it, element by element in
// document order (the tree is walked as it is read, never held whole).
// Nothing of the page's own markup is copied through, so whatever the page
// holds, the rich-text engine reads markup of ours. It names no resource to
// load, carries no attribute, and nests no deeper, nor holds more list items,
// line breaks, blocks or changes of writing direction, than the engine lays
// out quickly; for a page with more elements than it can lay out within
// about a second, it is the page's text alone.
#include "platform/page/DirectionChanges.h"
#include "platform/page/LongBlocks.h"
#include "platform/page/TextBlocks.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

struct PageMarkupLimits {
    std::size_t maxDepth = 24;        // elements written open at once; deeper tags are left out
    std::size_t maxElements = 100000; // past this, the page is shown as text
    std::size_t maxTextBytes = kMaxShownBytes;              // past this, as its text cut here
    std::size_t maxDirectionChanges = kMaxDirectionChanges; // past this, likewise
    std::size_t maxListElements = 1000;         // lists and items; past this, written as blocks
    std::size_t maxLineBreaks = 5000;           // past this, a line break is an empty block
    std::size_t maxBlocks = kMaxBlocks;         // blocks and lines; past this, the page is cut
    std::size_t maxBlockChars = kMaxBlockChars; // past this, a block is split
    // Inline elements (bold, italic, size, font, sub- and superscript and
    // the like); past this, their text is written plain.
    std::size_t maxFormatChanges = 2000;
    // Elements the parser holds open at once. Some steps of HTML parsing look
    // through every open element, so a page nested deeper would take time
    // growing with the square of its size; the page is read up to there.
    std::size_t maxParseDepth = 128;
    // Errors the parser reports (a tag it does not know, a closing tag that
    // nothing opened and the like). Each costs it a message written out; a
    // page holding more is read up to there.
    std::size_t maxParseErrors = 100000;
};

struct ShownPage {
    std::string content;
    bool isText = false; // content is plain text rather than markup
};

// The line that ends a page shown cut.
inline constexpr std::string_view kCutMark = "[…]";
// The lines that end a page whose lists were shown in part as plain lines,
// and one whose line breaks past the bound drew no blank line.
inline constexpr std::string_view kListsFlattenedLine = "[… listas longas mostradas como linhas]";
inline constexpr std::string_view kBreaksAsBlocksLine =
    "[… linhas em branco omitidas: quebras de linha demais]";
// The line that ends a page whose inline elements past the bound were
// written as plain text.
inline constexpr std::string_view kFormatsDroppedLine =
    "[… formatação omitida: mudanças de formato demais]";

// The page, decoded as for the import (pageText: a NUL becomes U+FFFD, UTF-16
// is known by its bytes), its tags' attributes left out before the parser
// reads it (boundAttributes), parsed as HTML (libxml2's parser), written
// back as markup of a few plain elements (paragraphs, headings, lists, bold,
// italic and the like) with no attribute, and its text escaped. A table is
// written as lines: the table and each row a block, each cell's content
// after a space. Scripts, style sheets, the head, forms' lists, frames,
// embedded objects and media are left out with their content; any other
// element not in that set leaves its content alone. Elements opened past the
// depth bound leave their content alone too. Lists and list items past the
// list bound are written as blocks, and line breaks past the line-break
// bound as empty blocks, and inline elements past the format bound leave
// their content alone; the page ends with a line saying so. A block whose
// text passes the bound of characters in a block is split there by a
// paragraph separator (U+2029), which starts a block of its own.
// A run of text without white space gets a zero-width space every 64 bytes,
// where the layout may break it; runs of combining marks are cut as
// CombiningMarks does, and the page ends with a line saying so. Past the
// parse depth, the page is read no further and ends with the cut mark. Past
// the element bound, the page's text alone, each line separator in it a
// newline; past the text bound, that text cut there and followed by the cut
// mark on a line of its own; past the bound of parse errors, the page is read
// no further and ends with the cut mark; likewise past the bound of changes of writing
// direction (as DirectionChanges counts them), followed by a line saying so
// too. Past the block bound (the blocks, rules and line breaks written, and
// the separators TextBlocks counts in the text: line separators, and
// newlines only in <pre>, or in the page shown as text), the page is cut
// before the block one too many and ends with the cut mark and a line saying
// so. The page shown as text has its blocks split by newlines where they pass
// the bound of characters. Any thread.
ShownPage pageToShow(std::string_view html, const PageMarkupLimits& limits = {});

} // namespace platform

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
#include "platform/page/TextBlocks.h"

#include <cstddef>
#include <stop_token>
#include <string>
#include <string_view>

namespace platform {

struct PageMarkupLimits {
    std::size_t maxDepth = 24;        // elements written open at once; deeper tags are left out
    std::size_t maxElements = 100000; // past this, the page is shown as text
    std::size_t maxTextBytes = kMaxShownBytes;              // past this, as its text cut here
    std::size_t maxDirectionChanges = kMaxDirectionChanges; // past this, likewise
    std::size_t maxListElements = 1000; // lists and items; past this, written as blocks
    std::size_t maxLineBreaks = 5000;   // past this, a line break is an empty block
    std::size_t maxBlocks = kMaxBlocks; // blocks and lines; past this, the page is cut
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
    // Events of the parser: elements opened and closed and pieces of text
    // (an entity reference among them), in elements kept or left out. Each costs the parser some
    // work, most of them none of the writer's, so a page of elements that hold no text would keep
    // the reading busy to its last byte; the page is read up to here.
    std::size_t maxParseEvents = 300000;
};

struct ShownPage {
    std::string content;
    bool isText = false; // content is plain text rather than markup
};

// The line that ends a page shown cut, and those that say why the page was
// read no further: past the text bound, the parse depth, the parse errors
// and the parser's events.
inline constexpr std::string_view kCutMark = "[…]";
inline constexpr std::string_view kTextCutLine = "[… texto cortado: página longa demais]";
inline constexpr std::string_view kDepthCutLine = "[… texto cortado: elementos aninhados demais]";
inline constexpr std::string_view kErrorsCutLine = "[… texto cortado: erros de marcação demais]";
inline constexpr std::string_view kEventsCutLine = "[… texto cortado: marcação demais]";
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
// their content alone; the page ends with a line saying so. A run of text
// without white space gets a zero-width space every 64 bytes, where the
// layout may break it; runs of combining marks are cut as CombiningMarks
// does, and the page ends with a line saying so.
//
// The page is read no further past the parse depth, the parse errors, the
// parser's events, the text bound (never inside a character), the bound of
// changes of writing direction (as DirectionChanges counts them) and the
// block bound (the blocks, rules and line breaks written, and the separators
// TextBlocks counts in the text: line separators, and newlines only in
// <pre>); what was written is closed, and the page ends with the cut mark
// and a line saying why. Past the element bound, it is the page's text
// alone, each block of its markup a line of its own and each line separator
// a newline, its lines cut at the block bound. Blocks too long to lay out
// quickly are split where the text is shown (see LongBlocks). When stop is
// requested, the reading ends at the parser's next event. Any thread.
ShownPage pageToShow(std::string_view html, const PageMarkupLimits& limits = {},
                     std::stop_token stop = {});

} // namespace platform

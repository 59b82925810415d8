#pragma once
// Blocks of a text document split for the text layout. Qt lays a block out
// whole, in one pass of the event loop, in time that grows faster than the
// block's length, and some characters take it long wherever they stand: one
// block of a few hundred thousand of them holds the screen for seconds.
// Whatever markup or separators made the document's blocks, once the content
// is in the document none of them is longer than a bound that the slowest
// characters measured lay out within a few milliseconds.
#include <cstddef>

class QTextDocument;

namespace platform {

// Characters (code points, a line separator among them) in one block at most.
inline constexpr std::size_t kMaxBlockChars = 1000;

// Splits every block of the document longer than maxChars into blocks no
// longer: at the last line separator (U+2028) within the bound, which the
// split takes the place of; else after the last space within it (not a
// no-break one), so that words stay whole; else at the bound, never inside a
// character. The blocks split off keep the block's format and the character
// format where they start; one split off a list item is a line of the item,
// not an item of its own. The number of splits made.
std::size_t splitLongBlocks(QTextDocument& document, std::size_t maxChars = kMaxBlockChars);

} // namespace platform

#pragma once
// Blocks of text counted for the text layout. Qt lays a document out one
// block (a paragraph, or a line of preformatted or plain text) at a time, in
// pieces between other events, and its time grows with the blocks and the
// lines; past some millions of pixels of height it never finishes. Text is
// shown up to a bound on the blocks and lines that no page written to be read
// comes near.
#include <cstddef>
#include <string_view>

namespace platform {

// Bytes of a text that a box shows at most: a page's source, or the text of
// the page view.
inline constexpr std::size_t kMaxShownBytes = 64 * 1024;

// Blocks and lines started at most, and the line that ends a text cut there.
inline constexpr std::size_t kMaxBlocks = 10000;
inline constexpr std::string_view kBlocksCutLine = "[… texto cortado: linhas demais]";

// The length of the separator at text[at] that starts a block of its own in
// the text document wherever it stands (U+2029, U+FDD0 or U+FDD1) or, when
// newlines count (plain or preformatted text), a newline or a carriage
// return; 0 for any other character.
std::size_t blockSeparatorLength(std::string_view text, std::size_t at, bool newlinesCount);

class TextBlocks {
public:
    explicit TextBlocks(std::size_t maxBlocks = kMaxBlocks) : maxBlocks_(maxBlocks) {}

    // Counts one block that markup starts (a paragraph, a heading, a rule, a
    // line break and the like). False when it is one too many.
    bool add();

    // How much of the beginning of UTF-8 text starts no more blocks and lines
    // than the bound: text.size(), or the offset of the separator that starts
    // one too many. Each block separator counts (blockSeparatorLength; a
    // carriage return and a newline together count once), and so does each
    // line separator (U+2028), which starts a line within its block in plain
    // and preformatted text. The blocks are counted across calls, so text can
    // come in pieces.
    std::size_t fit(std::string_view text, bool newlinesCount);

    // Whether some block did not fit.
    bool exceeded() const { return exceeded_; }

private:
    std::size_t maxBlocks_;
    std::size_t blocks_ = 0;
    bool afterReturn_ = false; // the last character was a carriage return
    bool exceeded_ = false;
};

} // namespace platform

#pragma once
// Blocks of text counted for the text layout. Qt lays a document out one
// block (a paragraph, or a line of preformatted or plain text) at a time, in
// pieces between other events, and its time grows with the blocks; past some
// millions of pixels of height it never finishes. Text is shown up to a bound
// on the blocks that no page written to be read comes near.
#include <cstddef>
#include <string_view>

namespace platform {

// Blocks started at most, and the line that ends a text cut there.
inline constexpr std::size_t kMaxBlocks = 10000;
inline constexpr std::string_view kBlocksCutLine = "[… texto cortado: linhas demais]";

class TextBlocks {
public:
    explicit TextBlocks(std::size_t maxBlocks = kMaxBlocks) : maxBlocks_(maxBlocks) {}

    // Counts one block that markup starts (a paragraph, a heading, a rule, a
    // line break and the like). False when it is one too many.
    bool add();

    // How much of the beginning of UTF-8 text starts no more blocks than the
    // bound: text.size(), or the offset of the separator that starts one too
    // many. The separators are the ones the text document starts a block at
    // wherever they stand (U+2029, U+FDD0 and U+FDD1) and, when newlines
    // count (plain or preformatted text), a newline, a carriage return, or
    // the two together. The blocks are counted across calls, so text can
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

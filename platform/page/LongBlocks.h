#pragma once
// Blocks of text split for the text layout. Qt lays a block out whole, in one
// pass of the event loop, in time that grows faster than the block's length,
// and some characters take it long wherever they stand: one block of a few
// hundred thousand of them holds the screen for seconds. No block of the text
// shown is longer than a bound that the slowest characters measured lay out
// within a few milliseconds.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Characters (code points) in one block at most.
inline constexpr std::size_t kMaxBlockChars = 1000;

class LongBlocks {
public:
    explicit LongBlocks(std::size_t maxChars = kMaxBlockChars) : maxChars_(maxChars) {}

    // Appends UTF-8 text to out with `separator` (one that starts a block)
    // before each character that would make a block longer than the bound,
    // never inside a character. A block ends at each separator that
    // blockSeparatorLength finds and at blockEnded(). The characters are
    // counted across calls, so text can come in pieces.
    void append(std::string& out, std::string_view text, bool newlinesCount,
                std::string_view separator);

    // Counts one character that markup writes (a line break, which is a
    // character of its block). True when a block must start before it.
    bool splitBefore();

    // Markup ended the block, or started another.
    void blockEnded() { chars_ = 0; }

private:
    std::size_t maxChars_;
    std::size_t chars_ = 0; // in the block so far
};

} // namespace platform

#pragma once
// Places where the text layout may break a long run of characters without
// white space. Qt lays out such a run, one word to it, in time growing with
// the square of its length; a zero-width space every so often gives it
// places to break, and shows as nothing.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

class BreakPoints {
public:
    explicit BreakPoints(std::size_t maxWordBytes = 64) : maxWordBytes_(maxWordBytes) {}

    // Appends text to out with a zero-width space before the byte that would
    // make a run longer than the bound, never inside a character. The run is
    // counted across calls, so text can come in pieces.
    void append(std::string& out, std::string_view text);

    // Whether the text holds a run longer than the bound.
    bool needed(std::string_view text) const;

private:
    std::size_t maxWordBytes_;
    std::size_t wordLength_ = 0; // bytes since the last white space or break
};

} // namespace platform

#pragma once
// Runs of combining marks cut short for the text layout. Qt lays out one
// character carrying a long run of marks in time growing with the square of
// the run; text keeps at most the stream-safe number of them on one letter,
// which no writing system needs more of.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Combining marks kept on one letter, and the line that ends a text shown with
// longer runs cut.
inline constexpr std::size_t kMaxMarkRun = 30;
inline constexpr std::string_view kMarksCutLine = "[… marcas combinantes além de 30 omitidas]";

class CombiningMarks {
public:
    // Appends UTF-8 text to out, leaving out each combining mark (Unicode
    // Mn, Mc or Me) that follows kMaxMarkRun marks on one letter. The run goes
    // on across the invisible format characters that start no new letter
    // (soft hyphen, zero-width spaces and joiners, direction marks, byte-order
    // mark and the like): the shaper stacks the marks after them on the same
    // letter. Those within a run past the bound are left out too. The run is
    // counted across calls, so text can come in pieces. Bytes that are not
    // UTF-8 are copied and end a run.
    void append(std::string& out, std::string_view text);

    // Whether any mark was left out.
    bool cut() const { return cut_; }

private:
    std::size_t run_ = 0; // marks in a row so far
    bool cut_ = false;
};

} // namespace platform

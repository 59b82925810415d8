#include "platform/page/CombiningMarks.h"

#include "platform/Utf8.h"

#include <QChar>

namespace platform {
namespace {

// The format characters that draw as nothing (Unicode's default-ignorable
// ones that are neither marks nor letters): soft hyphen, zero-width spaces,
// joiners and non-joiners, direction marks, embeddings and isolates, word
// joiner and invisible operators, byte-order mark, tags and the like. The
// text shaper skips them when it places a mark on its letter.
bool isInvisibleFormat(char32_t c)
{
    return c == 0x00AD || c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
           (c >= 0xFFF0 && c <= 0xFFF8) || (c >= 0x1BCA0 && c <= 0x1BCA3) ||
           (c >= 0x1D173 && c <= 0x1D17A) || (c >= 0xE0000 && c <= 0xE0FFF);
}

} // namespace

void CombiningMarks::append(std::string& out, std::string_view text)
{
    std::size_t from = 0; // start of the text not yet appended
    for (std::size_t at = 0; at < text.size();) {
        // Neither a mark nor an invisible character lies below U+00AD, whose
        // first byte is 0xC2.
        if (static_cast<unsigned char>(text[at]) < 0xC2) {
            run_ = 0;
            ++at;
            continue;
        }
        const std::size_t length = utf8SequenceLength(text, at);
        const char32_t c = length == 0 ? 0 : codePointAt(text, at, length);
        bool leftOut = false;
        if (length > 0 && isInvisibleFormat(c)) {
            leftOut = run_ > kMaxMarkRun; // within a run already cut
        } else if (length > 0 && QChar::isMark(c)) {
            leftOut = ++run_ > kMaxMarkRun;
        } else {
            run_ = 0;
        }
        if (leftOut) {
            out.append(text.substr(from, at - from));
            from = at + length;
            cut_ = true;
        }
        at += length == 0 ? 1 : length;
    }
    out.append(text.substr(from));
}

} // namespace platform

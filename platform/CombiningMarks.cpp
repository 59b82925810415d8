#include "platform/CombiningMarks.h"

#include "platform/PageText.h"

#include <QChar>

#include <algorithm>

namespace platform {

void CombiningMarks::append(std::string& out, std::string_view text)
{
    std::size_t from = 0; // start of the text not yet appended
    for (std::size_t at = 0; at < text.size();) {
        // No mark lies below U+0300, whose first byte is 0xCC.
        if (static_cast<unsigned char>(text[at]) < 0xCC) {
            run_ = 0;
            ++at;
            continue;
        }
        const std::size_t length = std::max<std::size_t>(utf8SequenceLength(text, at), 1);
        if (length == 1 || !QChar::isMark(codePointAt(text, at, length))) {
            run_ = 0;
        } else if (++run_ > kMaxMarkRun) {
            out.append(text.substr(from, at - from));
            from = at + length;
            cut_ = true;
        }
        at += length;
    }
    out.append(text.substr(from));
}

} // namespace platform

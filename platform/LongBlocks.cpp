#include "platform/LongBlocks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <optional>

namespace platform {
namespace {

// Where the layout may end a line at white space.
bool isBreakingSpace(QChar c)
{
    return c.isSpace() && c != QChar::Nbsp && c != QChar(0x2007) && c != QChar(0x202F) &&
           c != QChar::LineSeparator && c != QChar::ParagraphSeparator;
}

struct Split {
    qsizetype at = 0;            // UTF-16 offset in the block where the next block starts
    bool dropsSeparator = false; // the line separator before `at` goes
};

// Where a block's text must be split, if it holds more than maxChars code
// points.
std::optional<Split> splitOf(const QString& text, std::size_t maxChars)
{
    qsizetype bound = 0; // offset of the first code point past the bound
    for (std::size_t chars = 0; chars < maxChars && bound < text.size(); ++chars)
        bound += text[bound].isHighSurrogate() && bound + 1 < text.size() &&
                         text[bound + 1].isLowSurrogate()
                     ? 2
                     : 1;
    if (bound >= text.size())
        return std::nullopt;
    const qsizetype separator = text.lastIndexOf(QChar::LineSeparator, bound - 1);
    if (separator > 0)
        return Split{separator + 1, true};
    for (qsizetype at = bound - 1; at > 0; --at)
        if (isBreakingSpace(text[at]))
            return Split{at + 1, false};
    return Split{bound, false};
}

} // namespace

std::size_t splitLongBlocks(QTextDocument& document, std::size_t maxChars)
{
    std::size_t splits = 0;
    // One edit: a cursor outside one measures each position it takes in its
    // block's layout, which reads the whole block each time.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextBlock block = document.begin();
    while (block.isValid()) {
        // A block's length counts UTF-16 units and its end: never fewer than
        // its characters, so a short one needs no look at its text.
        const std::optional<Split> split = static_cast<std::size_t>(block.length() - 1) > maxChars
                                               ? splitOf(block.text(), maxChars)
                                               : std::nullopt;
        if (!split) {
            block = block.next();
            continue;
        }
        const int at = block.position() + static_cast<int>(split->at);
        if (split->dropsSeparator) {
            cursor.setPosition(at - 1);
            cursor.setPosition(at, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        } else {
            cursor.setPosition(at);
        }
        cursor.insertBlock();
        if (QTextList* list = block.textList())
            list->remove(cursor.block());
        ++splits;
        block = cursor.block();
    }
    cursor.endEditBlock();
    return splits;
}

} // namespace platform

#include "platform/LayoutBudget.h"

#include "platform/LongBlocks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <optional>

namespace platform {
namespace {

// Lays the rest of the document out through its own layout, block by block,
// as the box would in pieces later, until the time since `start` passes the
// budget. The blocks laid out already, those the box shows first, stay
// whatever the time. The block that passed it, when blocks follow it.
std::optional<QTextBlock> layOutWithinBudget(QTextDocument& document, const LayoutBudget& budget,
                                             std::chrono::nanoseconds start)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.layout()->lineCount() > 0)
            continue;
        (void)layout->blockBoundingRect(block);
        if (budget.clock() - start > budget.limit && block.next().isValid())
            return block;
    }
    return std::nullopt;
}

// Ends the document with the block given, then the lines, in the document's
// default format. One edit, so that the layout hears of it once, not once
// for each block removed.
void cutAfter(QTextDocument& document, const QTextBlock& last,
              std::initializer_list<std::string_view> lines)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setPosition(last.position() + last.length() - 1);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    for (const std::string_view line : lines) {
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    }
    cursor.endEditBlock();
    (void)document.documentLayout()->blockBoundingRect(document.lastBlock());
}

} // namespace

LayoutBudget LayoutBudget::realTime()
{
    LayoutBudget budget;
    budget.clock = [] { return std::chrono::steady_clock::now().time_since_epoch(); };
    return budget;
}

ShownContent showWithinBudget(QTextEdit& box, const QString& content, BoxContent kind,
                              const LayoutBudget& budget,
                              std::initializer_list<std::string_view> cutLines)
{
    const std::chrono::nanoseconds start = budget.clock();
    // A document of the box's, so that whatever it asks to load is asked of
    // the box. It has no layout while it is filled and split, so none of
    // that lays anything out.
    auto* document = new QTextDocument(&box);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(box.font());
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(box.wordWrapMode());
    document->setDefaultTextOption(option);
    if (kind == BoxContent::Markup)
        document->setHtml(content);
    else
        document->setPlainText(content);
    ShownContent shown;
    shown.split = splitLongBlocks(*document) > 0;
    // Laid out at the box's width only: the box sets it on taking the
    // document, and lays out what it shows first.
    document->setPageSize(QSizeF(0, 0));
    document->documentLayout()->setPaintDevice(box.viewport());
    QTextDocument* const previous = box.document();
    const bool previousOurs = previous->parent() == &box; // else the box deletes it
    box.setDocument(document);
    if (previousOurs)
        delete previous;
    if (const std::optional<QTextBlock> last = layOutWithinBudget(*document, budget, start)) {
        cutAfter(*document, *last, cutLines);
        shown.cut = true;
    }
    shown.spent = budget.clock() - start;
    return shown;
}

} // namespace platform

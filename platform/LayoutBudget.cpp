#include "platform/LayoutBudget.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace platform {
namespace {

// Lays the document's blocks out one by one at the width, timing each; when
// the time spent passes the budget before the last block, removes every
// block after the one that passed it. True when blocks were removed.
bool cutPastBudget(QTextDocument& document, qreal width, const LayoutBudget& budget)
{
    std::chrono::nanoseconds spent{0};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const std::chrono::nanoseconds start = budget.clock();
        QTextLayout* layout = block.layout();
        layout->setTextOption(document.defaultTextOption());
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine())
            line.setLineWidth(width);
        layout->endLayout();
        spent += budget.clock() - start;
        if (spent > budget.limit && block.next().isValid()) {
            QTextCursor cursor(&document);
            cursor.setPosition(block.position() + block.length() - 1);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            return true;
        }
    }
    return false;
}

} // namespace

bool showWithinBudget(QTextEdit& box, const QString& content, BoxContent kind,
                      const LayoutBudget& budget, std::initializer_list<std::string_view> cutLines)
{
    // A document of the box's, so that whatever it asks to load is asked of
    // the box.
    auto* document = new QTextDocument(&box);
    document->setDefaultFont(box.font());
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(box.wordWrapMode());
    document->setDefaultTextOption(option);
    document->documentLayout()->setPaintDevice(box.viewport());
    if (kind == BoxContent::Markup)
        document->setHtml(content);
    else
        document->setPlainText(content);
    const qreal width = box.viewport()->width() - 2 * document->documentMargin();
    const bool cut = cutPastBudget(*document, width, budget);
    if (cut) {
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        for (const std::string_view line : cutLines) {
            end.insertBlock(QTextBlockFormat(), QTextCharFormat());
            end.insertText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        }
    }
    QTextDocument* const previous = box.document();
    const bool previousOurs = previous->parent() == &box; // else the box deletes it
    box.setDocument(document);
    if (previousOurs)
        delete previous;
    return cut;
}

} // namespace platform

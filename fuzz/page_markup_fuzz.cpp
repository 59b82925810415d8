// The page view's markup on any page, read back by Qt's rich-text engine: the
// markup must be bare tags of ours with escaped text, nested within the
// bounds, and the engine must find no image in it, hold no more blocks than
// the bound lets through, nor (its long blocks split as the boxes split
// them) blocks longer or changes of format more than theirs, and ask for no
// resource while it reads, lays out and draws it.
#include "platform/LongBlocks.h"
#include "platform/page/PageMarkup.h"
#include "tests/fetch/PageTestSupport.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

class WatchedDocument : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { std::abort(); }
};

bool isTagName(std::string_view name)
{
    return !name.empty() &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") == std::string_view::npos;
}

// Every '<' of the markup opens a bare tag, and elements nest and lists and
// line breaks count within the bounds: the markup is ours whatever the page
// held.
void checkNesting(std::string_view markup, const platform::PageMarkupLimits& limits)
{
    std::vector<std::string_view> open;
    std::size_t lists = 0;
    std::size_t lineBreaks = 0;
    for (std::size_t at = markup.find('<'); at != std::string_view::npos;
         at = markup.find('<', at + 1)) {
        const std::size_t end = markup.find('>', at);
        if (end == std::string_view::npos)
            std::abort();
        const bool closing = markup[at + 1] == '/';
        const std::string_view name = markup.substr(at + 1 + closing, end - at - 1 - closing);
        if (!isTagName(name))
            std::abort();
        // Line breaks past their bound too: a paragraph of many lays out slowly.
        if (name == "br" && ++lineBreaks > limits.maxLineBreaks)
            std::abort();
        if (name == "br" || name == "hr")
            continue;
        if (closing) {
            if (open.empty() || open.back() != name)
                std::abort();
            open.pop_back();
            continue;
        }
        // No table reaches the engine: its reading of a table's parts can
        // leave tables open inside one another, and laying them out takes
        // time growing with a power of their depth.
        if (name == "table" || name == "tr" || name == "td" || name == "th")
            std::abort();
        // Lists and items past their bound are blocks: the engine reads a
        // long list in time growing with the square of its items.
        lists += name == "ul" || name == "ol" || name == "li" ? 1 : 0;
        if (lists > limits.maxListElements)
            std::abort();
        open.push_back(name);
        if (open.size() > limits.maxDepth)
            std::abort();
    }
    if (!open.empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::PageMarkupLimits limits;
    const platform::ShownPage page =
        platform::pageToShow(std::string_view(reinterpret_cast<const char*>(data), size), limits);
    if (page.isText)
        return 0; // shown as plain text, which names nothing
    checkNesting(page.content, limits);
    WatchedDocument document;
    document.setHtml(
        QString::fromUtf8(page.content.data(), static_cast<qsizetype>(page.content.size())));
    // No frame inside the page: the engine makes one for each table it reads.
    if (!document.rootFrame()->childFrames().isEmpty())
        std::abort();
    // Blocks within the bound: each block element or separator counted
    // starts one, and text after a block's end may start one more; the last
    // lines saying what was cut add a few.
    if (static_cast<std::size_t>(document.blockCount()) > 2 * limits.maxBlocks + 16)
        std::abort();
    // Long blocks split as the boxes split them, whatever the markup made.
    platform::splitLongBlocks(document);
    document.setTextWidth(200);
    (void)document.documentLayout()->documentSize();
    QImage canvas(200, 100, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    document.drawContents(&painter);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                std::abort();
    // No block longer than its bound, its line breaks counted: the layout's
    // time grows faster than a block's length. Changes of format within the
    // blocks, two for each inline element written at most.
    const pagetest::Shape shape = pagetest::shapeOf(document);
    if (shape.longestBlock > platform::kMaxBlockChars ||
        shape.formatChanges > 2 * limits.maxFormatChanges)
        std::abort();
    return 0;
}

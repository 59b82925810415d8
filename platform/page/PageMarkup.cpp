#include "platform/page/PageMarkup.h"

#include "platform/page/BreakPoints.h"
#include "platform/page/CombiningMarks.h"
#include "platform/page/PageText.h"
#include "platform/page/TextBlocks.h"
#include "platform/xml/TagAttributes.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// The elements written out, each as a bare tag. The rich-text engine draws
// all of them from its own defaults.
constexpr std::array<std::string_view, 39> kWritten = {
    "p",   "div",        "br",     "hr",      "h1", "h2",  "h3",     "h4",  "h5",  "h6",
    "pre", "blockquote", "center", "address", "ul", "ol",  "li",     "dl",  "dt",  "dd",
    "b",   "strong",     "i",      "em",      "u",  "s",   "strike", "del", "ins", "sub",
    "sup", "small",      "big",    "code",    "tt", "kbd", "samp",   "var", "cite"};
// Elements that hold no content and are written without a closing tag.
constexpr std::array<std::string_view, 2> kEmpty = {"br", "hr"};
// Elements whose content is not page text: left out whole.
constexpr std::array<std::string_view, 19> kLeftOutWithContent = {
    "head",   "title",  "script", "style",    "template", "noscript", "textarea",
    "select", "iframe", "frame",  "frameset", "noframes", "object",   "embed",
    "applet", "video",  "audio",  "svg",      "math"};
// A table is written as a block of lines: the table, its caption and each
// row a block of their own, each cell's content after a space. The rich-text
// engine lays a table out by laying its cells out several times over, so the
// time for nested tables grows with a power of their depth; and it reads the
// parts of a table by rules of its own, by which parts that stand outside a
// row or a cell can leave any number of tables open inside one another. Its
// layout is only linear in the page when no table reaches it.
constexpr std::array<std::string_view, 3> kTableBlocks = {"table", "caption", "tr"};
constexpr std::array<std::string_view, 2> kTableCells = {"td", "th"};
constexpr std::string_view kBlock = "div";
// The rich-text engine reads a list in time growing with the square of its
// items. Past the list bound, lists and their items are written as blocks.
constexpr std::array<std::string_view, 3> kListElements = {"ul", "ol", "li"};
// It lays a paragraph out whole, and one of many line breaks takes long.
// Past the line-break bound, a line break is written as an empty block,
// which ends the line as well but draws no blank line after another.
constexpr std::string_view kLineBreak = "br";
// Elements that start a block of text, or a line of one, in the layout; a
// newline in preformatted text starts one too. Past the block bound, the
// page is read no further.
constexpr std::array<std::string_view, 20> kBlocks = {
    "p",  "div", "br", "hr",  "h1",         "h2",     "h3",      "h4", "h5", "h6",
    "ul", "ol",  "li", "pre", "blockquote", "center", "address", "dl", "dt", "dd"};
constexpr std::string_view kPreformatted = "pre";

template <std::size_t N>
const std::string_view* find(const std::array<std::string_view, N>& set, std::string_view name)
{
    const auto found = std::find(set.begin(), set.end(), name);
    return found == set.end() ? nullptr : &*found;
}

// The text with each line separator (U+2028) a newline. Plain text lays a
// paragraph out whole, and one of many separated lines takes long; a newline
// starts a paragraph of its own. (In markup the engine shows either as a
// space.)
std::string withNewlines(std::string_view text)
{
    constexpr std::string_view lineSeparator = "\u2028";
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(lineSeparator); at != std::string_view::npos;
         at = text.find(lineSeparator, from)) {
        out.append(text.substr(from, at - from));
        out += '\n';
        from = at + lineSeparator.size();
    }
    out.append(text.substr(from));
    return out;
}

void appendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
}

// Writes the shown markup as the parser reports the page's elements, in
// document order, each start matched by its end.
class Writer {
public:
    Writer(const PageMarkupLimits& limits, xmlParserCtxtPtr parser, std::stop_token stop)
        : limits_(limits), parser_(parser), stop_(std::move(stop))
    {
    }

    void start(std::string_view name)
    {
        if (!event())
            return;
        if (open_.size() >= limits_.maxParseDepth) {
            stop(Stop::Depth);
            return;
        }
        ++elements_;
        const Open element = role(name);
        if (element.kind == Kind::Written && find(kBlocks, element.name) != nullptr &&
            !blocks_.add()) {
            stop(Stop::Blocks);
            return;
        }
        if (leftOut_ == 0 && endsLine(name))
            endTextLine();
        open_.push_back(element);
        if (element.kind == Kind::Written) {
            markup_ += '<';
            markup_ += element.name;
            markup_ += '>';
            if (find(kEmpty, element.name) == nullptr)
                ++writtenDepth_;
            preformatted_ += element.name == kPreformatted ? 1 : 0;
        }
        if (leftOut_ == 0 && find(kTableCells, name) != nullptr)
            text(" ", false);
    }

    void end(std::string_view name)
    {
        if (!event() || open_.empty())
            return;
        const Open element = open_.back();
        open_.pop_back();
        switch (element.kind) {
        case Kind::Written:
            if (find(kEmpty, element.name) == nullptr)
                close(element.name);
            preformatted_ -= element.name == kPreformatted ? 1 : 0;
            break;
        case Kind::LeftOut:
            --leftOut_;
            break;
        case Kind::ContentOnly:
            break;
        }
        if (leftOut_ == 0 && endsLine(name) && name != kLineBreak)
            endTextLine();
    }

    // A piece of the page's text; an event of the parser's unless the writer
    // adds it.
    void text(std::string_view piece, bool parsed = true)
    {
        if ((parsed && !event()) || stopped() || leftOut_ > 0)
            return;
        std::string marked;
        marks_.append(marked, piece);
        std::string broken;
        breaks_.append(broken, marked);
        Stop cut = Stop::None; // the bound the piece passed, if any
        if (const std::size_t fitting = directions_.fit(broken); fitting < broken.size()) {
            broken.resize(fitting);
            cut = Stop::Directions;
        }
        if (const std::size_t fitting = blocks_.fit(broken, preformatted_ > 0);
            fitting < broken.size()) {
            broken.resize(fitting);
            cut = cut == Stop::None ? Stop::Blocks : cut;
        }
        if (broken.size() > limits_.maxTextBytes - textBytes_) {
            // Cut at a character's first byte, so the text stays UTF-8.
            std::size_t keep = limits_.maxTextBytes - textBytes_;
            while (keep > 0 && (static_cast<unsigned char>(broken[keep]) & 0xC0) == 0x80)
                --keep;
            broken.resize(keep);
            cut = Stop::Text;
        }
        textBytes_ += broken.size();
        if (lineEnded_ && !broken.empty()) {
            text_ += '\n';
            lineEnded_ = false;
        }
        text_ += broken;
        appendEscaped(markup_, broken);
        if (cut != Stop::None)
            stop(cut);
    }

    // The parser met an error. It reports each one at some cost, and a page
    // can hold one at every few bytes (closing tags nothing opened, say).
    void error()
    {
        if (!stopped() && ++errors_ > limits_.maxParseErrors)
            stop(Stop::Errors);
    }

    ShownPage result()
    {
        const bool asText = elements_ > limits_.maxElements;
        std::string text;
        TextBlocks textBlocks(limits_.maxBlocks);
        if (asText) {
            text = withNewlines(text_);
            text.resize(textBlocks.fit(text, true));
        }
        const bool blocksCut = blocks_.exceeded() || textBlocks.exceeded();
        std::vector<std::string_view> lines; // saying what was cut or simplified
        if (stopped() || blocksCut)
            lines.push_back(kCutMark);
        if (const std::string_view why = stopLine(); !why.empty())
            lines.push_back(why);
        if (marks_.cut())
            lines.push_back(kMarksCutLine);
        if (directions_.exceeded())
            lines.push_back(kDirectionsCutLine);
        if (blocksCut)
            lines.push_back(kBlocksCutLine);
        if (asText) {
            for (const std::string_view line : lines)
                (text += '\n') += line;
            return {std::move(text), true};
        }
        if (listsFlattened_)
            lines.push_back(kListsFlattenedLine);
        if (breaksAsBlocks_)
            lines.push_back(kBreaksAsBlocksLine);
        if (formatsDropped_)
            lines.push_back(kFormatsDroppedLine);
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            if (it->kind == Kind::Written && find(kEmpty, it->name) == nullptr)
                close(it->name);
        for (const std::string_view line : lines)
            ((markup_ += "<p>") += line) += "</p>";
        return {std::move(markup_), false};
    }

private:
    enum class Kind {
        Written,     // its tag is written
        ContentOnly, // its content is, without its tag
        LeftOut,     // nor its content
    };
    struct Open {
        Kind kind;
        std::string_view name; // one of kWritten, for a written element
    };

    Open role(std::string_view name)
    {
        if (leftOut_ > 0 || find(kLeftOutWithContent, name) != nullptr) {
            ++leftOut_;
            return {Kind::LeftOut, {}};
        }
        const std::string_view* written =
            find(kTableBlocks, name) != nullptr ? &kBlock : find(kWritten, name);
        if (written == nullptr || writtenDepth_ >= limits_.maxDepth)
            return {Kind::ContentOnly, {}};
        if (find(kBlocks, *written) == nullptr && ++formatChanges_ > limits_.maxFormatChanges) {
            formatsDropped_ = true;
            return {Kind::ContentOnly, {}};
        }
        if (find(kListElements, *written) != nullptr && ++listElements_ > limits_.maxListElements) {
            listsFlattened_ = true;
            written = &kBlock;
        } else if (*written == kLineBreak && ++lineBreaks_ > limits_.maxLineBreaks) {
            breaksAsBlocks_ = true;
            written = &kBlock;
        }
        return {Kind::Written, *written};
    }

    // Whether the element starts a line of the page's text, and its end
    // another: a block element, a line break (which starts one only), or a
    // part of a table written as a block; written or not.
    static bool endsLine(std::string_view name)
    {
        return find(kBlocks, name) != nullptr || find(kTableBlocks, name) != nullptr;
    }

    // Ends the line of the page's text, as read for the page shown as text,
    // so that the words of two blocks never run together: the text that
    // follows starts a line.
    void endTextLine() { lineEnded_ = !text_.empty() && text_.back() != '\n'; }

    // Counts one event of the parser; false once the page is read no
    // further. Every element opened or closed, piece of text and the like
    // costs the parser time, kept or left out, with or without text.
    bool event()
    {
        if (stopped())
            return false;
        if (++events_ > limits_.maxParseEvents) {
            stop(Stop::Events);
            return false;
        }
        if (stop_.stop_requested()) {
            stop(Stop::Cancelled);
            return false;
        }
        return true;
    }

    void close(std::string_view name)
    {
        markup_ += "</";
        markup_ += name;
        markup_ += '>';
        --writtenDepth_;
    }

    // Why the page was read no further.
    enum class Stop { None, Depth, Errors, Events, Text, Directions, Blocks, Cancelled };

    bool stopped() const { return stopReason_ != Stop::None; }

    void stop(Stop why)
    {
        if (stopped())
            return;
        stopReason_ = why;
        xmlStopParser(parser_);
    }

    // The line saying why the page was read no further, if another line
    // does not say it.
    std::string_view stopLine() const
    {
        switch (stopReason_) {
        case Stop::Depth:
            return kDepthCutLine;
        case Stop::Errors:
            return kErrorsCutLine;
        case Stop::Events:
            return kEventsCutLine;
        case Stop::Text:
            return kTextCutLine;
        case Stop::None:
        case Stop::Directions:
        case Stop::Blocks:
        case Stop::Cancelled:
            break;
        }
        return {};
    }

    const PageMarkupLimits& limits_;
    xmlParserCtxtPtr parser_;
    std::stop_token stop_;
    std::string markup_;
    std::string text_;       // the page's text, a line for each block, for the page shown as text
    bool lineEnded_ = false; // the text that follows starts a line
    std::size_t textBytes_ = 0; // of the page's own text written
    CombiningMarks marks_;
    DirectionChanges directions_{limits_.maxDirectionChanges};
    BreakPoints breaks_;
    TextBlocks blocks_{limits_.maxBlocks};
    std::vector<Open> open_; // every element the parser holds open
    std::size_t elements_ = 0;
    std::size_t events_ = 0;        // the parser's events met
    std::size_t errors_ = 0;        // errors the parser reported
    std::size_t writtenDepth_ = 0;  // written elements open
    std::size_t leftOut_ = 0;       // open elements left out with their content
    std::size_t preformatted_ = 0;  // written <pre> open
    std::size_t listElements_ = 0;  // lists and items met, written as such up to the bound
    bool listsFlattened_ = false;   // some were written as blocks
    std::size_t lineBreaks_ = 0;    // line breaks met, written as such up to the bound
    bool breaksAsBlocks_ = false;   // some were written as empty blocks
    std::size_t formatChanges_ = 0; // inline elements met, written up to the bound
    bool formatsDropped_ = false;   // some were not written
    Stop stopReason_ = Stop::None;  // why the page is read no further, if it is
};

Writer& writerOf(void* context)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    return *static_cast<Writer*>(parser->_private);
}

std::string_view viewOf(const xmlChar* text, int length)
{
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(std::max(length, 0))};
}

htmlSAXHandler saxHandler()
{
    htmlSAXHandler handler{};
    handler.startElement = [](void* context, const xmlChar* name, const xmlChar**) {
        writerOf(context).start(reinterpret_cast<const char*>(name));
    };
    handler.endElement = [](void* context, const xmlChar* name) {
        writerOf(context).end(reinterpret_cast<const char*>(name));
    };
    handler.characters = [](void* context, const xmlChar* text, int length) {
        writerOf(context).text(viewOf(text, length));
    };
    handler.ignorableWhitespace = handler.characters;
    handler.cdataBlock = handler.characters;
    // Errors come to the writer, which counts them; the magic number lets
    // the parser hand them over.
    handler.initialized = XML_SAX2_MAGIC;
    handler.serror = [](void* context, xmlErrorPtr) { writerOf(context).error(); };
    return handler;
}

} // namespace

ShownPage pageToShow(std::string_view html, const PageMarkupLimits& limits, std::stop_token stop)
{
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);
    // The page as decoded for the import, its tags bare: the parser reads no
    // attribute, so a tag of many costs it nothing.
    const std::string page =
        boundAttributes(pageText(html).text, MarkupSyntax::Html, 0).value_or(std::string());
    if (page.empty())
        return {};
    const std::string_view bytes = std::string_view(page).substr(0, INT_MAX);
    const std::unique_ptr<htmlParserCtxt, void (*)(htmlParserCtxtPtr)> parser(
        htmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())),
        htmlFreeParserCtxt);
    if (!parser)
        return {{}, true};
    // The page is UTF-8 whatever it declares; no error is reported anywhere.
    htmlCtxtUseOptions(parser.get(), HTML_PARSE_RECOVER | HTML_PARSE_NOERROR |
                                         HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                         HTML_PARSE_IGNORE_ENC);
    xmlSwitchEncoding(parser.get(), XML_CHAR_ENCODING_UTF8);
    *parser->sax = saxHandler();
    Writer writer(limits, parser.get(), std::move(stop));
    parser->_private = &writer;
    parser->userData = parser.get();
    htmlParseDocument(parser.get());
    return writer.result();
}

} // namespace platform

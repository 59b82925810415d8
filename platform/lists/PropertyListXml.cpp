#include "platform/lists/PropertyListXml.h"

#include "platform/Utf8.h"
#include "platform/xml/TagAttributes.h"
#include "platform/xml/XmlSyntax.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace platform {
namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

// Whether the name is one that libxml2 itself takes for UTF-8 (any other
// that it reads as UTF-8, it does through the system's converter).
bool namesUtf8(std::string_view encoding)
{
    return sameIgnoringAsciiCase(encoding, "UTF-8") || sameIgnoringAsciiCase(encoding, "UTF8");
}

struct ParserFree {
    void operator()(xmlParserCtxtPtr parser) const { xmlFreeParserCtxt(parser); }
};
using Parser = std::unique_ptr<xmlParserCtxt, ParserFree>;

// The parser's errors are answered by the result, not printed.
void ignoreError(void*, xmlErrorPtr) {}

bool isBlankText(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// What the parser's events have built so far. Depths count the elements
// open around a node: the root element is at 0, its text at 1.
class ArrayWalk {
public:
    explicit ArrayWalk(std::size_t maxDepth) : maxDepth_(maxDepth) {}

    // Each event is taken while the bytes may still be a property list; false
    // once they cannot, and the parser is stopped.
    bool open(std::string_view name)
    {
        const std::size_t depth = depth_++;
        // An element at depth d is level d + 1.
        if (depth >= maxDepth_)
            return refuse("nested deeper than " + std::to_string(maxDepth_) + " levels");
        return element(name, depth) || refuse();
    }

    void close()
    {
        --depth_;
        if (string_ && depth_ == valueDepth_ + 1) {
            result_.strings.push_back(std::move(*string_));
            string_.reset();
        }
    }

    // Character data, a CDATA section's among it: text that is not all
    // blanks (or is a CDATA section) stands only where a value may hold it.
    bool text(std::string_view text, bool blank)
    {
        if (string_) {
            string_->append(text);
            return true;
        }
        return blank || (depth_ > valueDepth_ && !(rootIsArray_ && depth_ == valueDepth_ + 1)) ||
               refuse();
    }

    bool refuse(std::string why = "not a property list")
    {
        if (!refusal_)
            refusal_ = std::move(why);
        return false;
    }

    // The array, once the whole document has been read; the parser found
    // the bytes well-formed or not.
    Result<StringArray> finish(bool wellFormed)
    {
        if (refusal_)
            return failure(*refusal_);
        if (!wellFormed)
            return failure("not a property list");
        if (!rootIsArray_)
            return failure(values_ == 0 ? "not a property list"
                                        : "the root of the property list is not an array");
        return std::move(result_);
    }

private:
    bool element(std::string_view name, std::size_t depth)
    {
        if (depth == 0 && name == "plist") {
            valueDepth_ = 1;
            return true;
        }
        if (depth == valueDepth_) {
            if (++values_ > 1)
                return false;
            rootIsArray_ = name == "array";
            return true;
        }
        if (!rootIsArray_ || depth != valueDepth_ + 1)
            return !string_; // a string holds text only
        if (name == "string")
            string_.emplace();
        else
            ++result_.otherElements;
        return true;
    }

    std::size_t maxDepth_;
    std::size_t depth_ = 0;
    std::size_t valueDepth_ = 0;
    std::size_t values_ = 0;
    bool rootIsArray_ = false;
    std::optional<std::string> string_; // the text of the string being read
    std::optional<std::string> refusal_;
    StringArray result_;
};

ArrayWalk& walkOf(void* parser)
{
    return *static_cast<ArrayWalk*>(static_cast<xmlParserCtxtPtr>(parser)->_private);
}

void stopUnless(void* parser, bool taken)
{
    if (!taken)
        xmlStopParser(static_cast<xmlParserCtxtPtr>(parser));
}

std::string_view view(const xmlChar* text, int length)
{
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)};
}

// The events of the bytes' elements and text; comments, processing
// instructions and the document type make none, so the parser keeps nothing
// of them. An element whose prefix names no namespace keeps the prefix in its
// name, as a tree of the document would.
xmlSAXHandler walkEvents()
{
    xmlSAXHandler events{};
    events.initialized = XML_SAX2_MAGIC;
    events.startElementNs = [](void* parser, const xmlChar* localName, const xmlChar* prefix,
                               const xmlChar* uri, int, const xmlChar**, int, int,
                               const xmlChar**) {
        std::string name = reinterpret_cast<const char*>(localName);
        if (prefix != nullptr && uri == nullptr)
            name = reinterpret_cast<const char*>(prefix) + (":" + name);
        stopUnless(parser, walkOf(parser).open(name));
    };
    events.endElementNs = [](void* parser, const xmlChar*, const xmlChar*, const xmlChar*) {
        walkOf(parser).close();
    };
    events.characters = [](void* parser, const xmlChar* text, int length) {
        stopUnless(parser,
                   walkOf(parser).text(view(text, length), isBlankText(view(text, length))));
    };
    events.ignorableWhitespace = events.characters;
    events.cdataBlock = [](void* parser, const xmlChar* text, int length) {
        stopUnless(parser, walkOf(parser).text(view(text, length), false));
    };
    // An entity of the document's own: none in a list.
    events.reference = [](void* parser, const xmlChar*) {
        stopUnless(parser, walkOf(parser).refuse());
    };
    events.serror = ignoreError;
    return events;
}

// Hands the parser the next piece of the bytes.
int readPiece(void* unread, char* buffer, int length)
{
    std::string_view& rest = *static_cast<std::string_view*>(unread);
    const std::size_t piece = std::min(rest.size(), static_cast<std::size_t>(length));
    std::memcpy(buffer, rest.data(), piece);
    rest.remove_prefix(piece);
    return static_cast<int>(piece);
}

} // namespace

Result<StringArray> stringArrayFromXml(std::string_view bytes, std::size_t maxDepth)
{
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;
    const Error notAPropertyList = failure("not a property list");
    if (bytes.empty() || bytes.size() > INT_MAX || !isUtf8(bytes))
        return notAPropertyList;
    // The bytes are read as UTF-8, as the bound on attributes reads them: a
    // list that declares another encoding would be other characters to the
    // parser, a '<' among them, and is refused rather than decoded.
    std::string_view afterMark = bytes;
    if (afterMark.starts_with(kByteOrderMark))
        afterMark.remove_prefix(kByteOrderMark.size());
    const std::optional<std::string_view> encoding = declaredEncoding(afterMark);
    if (encoding && !namesUtf8(*encoding))
        return notAPropertyList;
    const std::optional<std::string> bounded =
        boundAttributes(bytes, MarkupSyntax::Xml, maxXmlTagAttributes);
    if (!bounded || bounded->empty())
        return notAPropertyList;
    const Parser parser(xmlNewParserCtxt());
    if (!parser)
        return notAPropertyList;
    *parser->sax = walkEvents();
    ArrayWalk walk(maxDepth);
    parser->_private = &walk;
    // No network, no external document type, no entity replaced: the parser
    // reads these bytes and nothing else, a piece at a time, so that it holds
    // no copy of them all; the events build no document. A byte-order mark,
    // which a parser handed the whole bytes at once passes over, would be
    // text to one handed them in pieces: it is passed over here.
    std::string_view unread = *bounded;
    if (unread.starts_with(kByteOrderMark))
        unread.remove_prefix(kByteOrderMark.size());
    xmlFreeDoc(xmlCtxtReadIO(parser.get(), readPiece, nullptr, &unread, nullptr, "UTF-8",
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                 XML_PARSE_IGNORE_ENC));
    return walk.finish(parser->wellFormed == 1);
}

} // namespace platform

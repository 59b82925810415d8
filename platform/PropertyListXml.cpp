#include "platform/PropertyListXml.h"

#include "platform/PageText.h"
#include "platform/TagAttributes.h"

#include <libxml/parser.h>
#include <libxml/xmlreader.h>

#include <climits>
#include <memory>
#include <optional>
#include <string>

namespace platform {
namespace {

// A list's tags need no attribute but the <plist> element's version; a few
// more are kept, and any past them are never read.
constexpr std::size_t kMaxAttributes = 8;

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

struct ReaderFree {
    void operator()(xmlTextReaderPtr reader) const { xmlFreeTextReader(reader); }
};
using Reader = std::unique_ptr<xmlTextReader, ReaderFree>;

// The reader's errors are answered by the result, not printed.
void ignoreError(void*, xmlErrorPtr) {}

std::string_view localName(xmlTextReaderPtr reader)
{
    const xmlChar* name = xmlTextReaderConstLocalName(reader);
    return name ? std::string_view(reinterpret_cast<const char*>(name)) : std::string_view();
}

bool isWhitespace(int type)
{
    return type == XML_READER_TYPE_WHITESPACE || type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
}

bool isText(int type)
{
    return type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA || isWhitespace(type);
}

// What the walk over the reader's nodes has found so far. Depths are the
// reader's: the root element is at 0.
class ArrayWalk {
public:
    // Takes one node; false when it makes the bytes no property list.
    bool take(xmlTextReaderPtr reader, int type, std::size_t depth)
    {
        if (type == XML_READER_TYPE_ENTITY_REFERENCE)
            return false; // an entity of the document's own: none in a list
        if (type == XML_READER_TYPE_ELEMENT)
            return element(localName(reader), depth, xmlTextReaderIsEmptyElement(reader) == 1);
        if (type == XML_READER_TYPE_END_ELEMENT) {
            if (string_ && depth == valueDepth_ + 1) {
                result_.strings.push_back(std::move(*string_));
                string_.reset();
            }
            return true;
        }
        if (!isText(type))
            return true; // comments, processing instructions, the document type
        if (string_ && depth == valueDepth_ + 2) {
            if (const xmlChar* text = xmlTextReaderConstValue(reader))
                string_->append(reinterpret_cast<const char*>(text));
            return true;
        }
        // Blanks may stand between elements, and a value that is no string
        // holds text of its own; other text stands where no value can.
        if (isWhitespace(type))
            return true;
        return depth > valueDepth_ && !(rootIsArray_ && depth == valueDepth_ + 1);
    }

    // The array, once the whole document has been read.
    Result<StringArray> finish()
    {
        if (!rootIsArray_)
            return failure(values_ == 0 ? "not a property list"
                                        : "the root of the property list is not an array");
        return std::move(result_);
    }

private:
    bool element(std::string_view name, std::size_t depth, bool empty)
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
        if (name != "string") {
            ++result_.otherElements;
        } else if (empty) {
            result_.strings.emplace_back();
        } else {
            string_.emplace();
        }
        return true;
    }

    std::size_t valueDepth_ = 0;
    std::size_t values_ = 0;
    bool rootIsArray_ = false;
    std::optional<std::string> string_; // the text of the string being read
    StringArray result_;
};

} // namespace

Result<StringArray> stringArrayFromXml(std::string_view bytes, std::size_t maxDepth)
{
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;
    const Error notAPropertyList = failure("not a property list");
    if (bytes.empty() || bytes.size() > INT_MAX || !isUtf8(bytes))
        return notAPropertyList;
    // The reader reads UTF-8 whatever the bytes declare, as the bound on
    // attributes read them. The bound also leaves out comments and processing
    // instructions, of which the reader would hold a node each until the
    // element around them ends.
    const std::optional<std::string> bounded =
        boundAttributes(bytes, MarkupSyntax::Xml, kMaxAttributes);
    if (!bounded || bounded->empty())
        return notAPropertyList;
    // No network, no external document type, no entity replaced: the reader
    // reads these bytes and nothing else.
    const Reader reader(xmlReaderForMemory(
        bounded->data(), static_cast<int>(bounded->size()), nullptr, "UTF-8",
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC));
    if (!reader)
        return notAPropertyList;
    xmlTextReaderSetStructuredErrorHandler(reader.get(), ignoreError, nullptr);

    ArrayWalk walk;
    int status = 0;
    while ((status = xmlTextReaderRead(reader.get())) == 1) {
        const int type = xmlTextReaderNodeType(reader.get());
        const int depth = xmlTextReaderDepth(reader.get());
        if (depth < 0)
            return notAPropertyList;
        // An element at depth d is level d + 1.
        if (type == XML_READER_TYPE_ELEMENT && static_cast<std::size_t>(depth) >= maxDepth)
            return failure("nested deeper than " + std::to_string(maxDepth) + " levels");
        if (!walk.take(reader.get(), type, static_cast<std::size_t>(depth)))
            return notAPropertyList;
    }
    if (status != 0)
        return notAPropertyList;
    return walk.finish();
}

} // namespace platform

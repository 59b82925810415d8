// The bound on tag attributes held against libxml2 itself: whatever the
// bytes, the markup the bound writes, read by libxml2's HTML parser (as the
// page view reads it) or its XML reader (as a saved list is read), has no tag
// with more attributes than the bound, else the pass read some tag otherwise
// than libxml2 does and this stops. An XML markup that libxml2 reads whole
// must come of bytes it reads whole too: leaving attributes out must not hide
// a fault of theirs. The first byte picks the syntax and the bound; the pass
// must also read what it wrote as it wrote it.
#include "platform/Utf8.h"
#include "platform/page/PageText.h"
#include "platform/xml/TagAttributes.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlreader.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

void checkHtml(const std::string& markup, std::size_t bound)
{
    if (markup.empty())
        return;
    const std::unique_ptr<htmlParserCtxt, void (*)(htmlParserCtxtPtr)> parser(
        htmlCreateMemoryParserCtxt(markup.data(), static_cast<int>(markup.size())),
        htmlFreeParserCtxt);
    if (!parser)
        return;
    htmlCtxtUseOptions(parser.get(), HTML_PARSE_RECOVER | HTML_PARSE_NOERROR |
                                         HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                         HTML_PARSE_IGNORE_ENC);
    xmlSwitchEncoding(parser.get(), XML_CHAR_ENCODING_UTF8);
    htmlSAXHandler handler{};
    handler.startElement = [](void* context, const xmlChar*, const xmlChar** attributes) {
        std::size_t count = 0;
        for (; attributes != nullptr && attributes[2 * count] != nullptr; ++count) {
        }
        const auto* parser = static_cast<htmlParserCtxtPtr>(context);
        if (count > *static_cast<const std::size_t*>(parser->_private))
            std::abort();
    };
    *parser->sax = handler;
    parser->_private = &bound;
    parser->userData = parser.get();
    htmlParseDocument(parser.get());
}

void ignoreError(void*, xmlErrorPtr) {}

// libxml2's messages on the markup it reads, which is any markup here.
void ignoreMessage(void*, const char*, ...) {}

// Whether libxml2 reads the markup to its end without an error; it must find
// no tag of more attributes than the bound on its way.
bool readsXml(std::string_view markup, std::size_t bound)
{
    if (markup.empty())
        return false;
    const std::unique_ptr<xmlTextReader, void (*)(xmlTextReaderPtr)> reader(
        xmlReaderForMemory(markup.data(), static_cast<int>(markup.size()), nullptr, "UTF-8",
                           XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                               XML_PARSE_IGNORE_ENC),
        xmlFreeTextReader);
    if (!reader)
        return false;
    xmlTextReaderSetStructuredErrorHandler(reader.get(), ignoreError, nullptr);
    int read = 0;
    while ((read = xmlTextReaderRead(reader.get())) == 1) {
        if (xmlTextReaderNodeType(reader.get()) == XML_READER_TYPE_ELEMENT &&
            static_cast<std::size_t>(xmlTextReaderAttributeCount(reader.get())) > bound)
            std::abort();
    }
    return read == 0;
}

bool isUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = platform::utf8SequenceLength(bytes, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const bool initialised = [] {
        xmlInitParser();
        xmlSetGenericErrorFunc(nullptr, ignoreMessage);
        return true;
    }();
    (void)initialised;
    const bool html = (data[0] & 1) == 0;
    const std::size_t bound = (data[0] >> 1) & 3;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (html) {
        // The page as the view decodes it: UTF-8, no NUL.
        const std::string page = platform::pageText(bytes).text;
        const std::string markup =
            *platform::boundAttributes(page, platform::MarkupSyntax::Html, bound);
        checkHtml(markup, bound);
        if (platform::boundAttributes(markup, platform::MarkupSyntax::Html, bound) != markup)
            std::abort();
    } else if (isUtf8(bytes)) {
        const auto markup = platform::boundAttributes(bytes, platform::MarkupSyntax::Xml, bound);
        if (markup) {
            // The attributes left out were judged as libxml2 judges them:
            // bytes it refuses read no better for their leaving.
            if (readsXml(*markup, bound) && !readsXml(bytes, SIZE_MAX))
                std::abort();
            if (platform::boundAttributes(*markup, platform::MarkupSyntax::Xml, bound) != markup)
                std::abort();
        }
    }
    return 0;
}

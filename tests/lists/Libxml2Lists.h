#pragma once
// libxml2's own reading of an XML list, which the list tests and the fuzz
// target hold our reader against: the whole tree of the bytes built in the
// encoding they declare, every attribute read.
#include "platform/lists/PropertyList.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace liststest {

// The root array's strings and other elements, or nothing when libxml2
// refuses the bytes or their root is no array.
inline std::optional<platform::StringArray> libxml2Array(std::string_view bytes)
{
    const auto nameOf = [](xmlNodePtr node) {
        return std::string(reinterpret_cast<const char*>(node->name));
    };
    const std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document(
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    xmlNodePtr array = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (array && nameOf(array) == "plist")
        array = xmlFirstElementChild(array);
    if (!array || nameOf(array) != "array")
        return std::nullopt;
    platform::StringArray read;
    for (xmlNodePtr item = xmlFirstElementChild(array); item; item = xmlNextElementSibling(item)) {
        if (nameOf(item) != "string") {
            ++read.otherElements;
            continue;
        }
        xmlChar* text = xmlNodeGetContent(item);
        read.strings.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        xmlFree(text);
    }
    return read;
}

// Whether libxml2 takes the bytes, reading the same strings and count of
// other elements as `ours`.
inline bool libxml2ReadsAs(std::string_view bytes, const platform::StringArray& ours)
{
    const auto theirs = libxml2Array(bytes);
    return theirs && theirs->strings == ours.strings && theirs->otherElements == ours.otherElements;
}

} // namespace liststest

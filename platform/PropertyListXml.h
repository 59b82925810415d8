#pragma once
// Reading the XML form of a property list whose root is an array, with
// libxml2's streaming reader: the bytes are read once, as any XML parser
// reads them, and no tree of the document is ever built. The nesting is
// counted as the reader goes, so bytes nested deeper than allowed are refused
// the moment they pass the bound, whatever they hide in attributes, comments
// or processing instructions.
#include "platform/PropertyList.h"
#include "platform/Result.h"

#include <cstddef>
#include <string_view>

namespace platform {

// The strings of the root array of an XML property list: a <plist> element
// holding one value, or that value alone, read as UTF-8 whatever the bytes
// declare. Refused: bytes that are not UTF-8 or not well-formed XML, that
// refer to entities of their own or declare any in a document type, that
// nest elements deeper than maxDepth levels (the <plist> element counts),
// whose <plist> holds no value or more than one, or whose root value is not
// an array. A tag's attributes past the first few are never read (see
// boundAttributes).
Result<StringArray> stringArrayFromXml(std::string_view bytes, std::size_t maxDepth);

} // namespace platform

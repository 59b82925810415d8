#pragma once
// Reading the XML form of a property list whose root is an array, with
// libxml2's SAX parser: the bytes are read once, as any XML parser reads
// them, comments, processing instructions and references where they stand,
// and no tree of the document is ever built. The nesting is counted as the
// parser goes, so bytes nested deeper than allowed are refused the moment
// they pass the bound, whatever they hide in attributes, comments or
// processing instructions.
#include "platform/Result.h"
#include "platform/lists/PropertyList.h"

#include <cstddef>
#include <string_view>

namespace platform {

// The attributes of a tag that the reader hands the parser; any past them are
// judged, then left out (see boundAttributes). A list's tags need none but
// the <plist> element's version.
constexpr std::size_t maxXmlTagAttributes = 8;

// The strings of the root array of an XML property list: a <plist> element
// holding one value, or that value alone, read as UTF-8. Refused: bytes that
// are not UTF-8, whose XML declaration names another encoding ("UTF-8" and
// "UTF8" are taken in any case, as libxml2 takes them), that are not
// well-formed XML, that refer to entities of their own or declare any in a
// document type, that nest elements deeper than maxDepth levels (the <plist>
// element counts), whose <plist> holds no value or more than one, or whose
// root value is not an array.
Result<StringArray> stringArrayFromXml(std::string_view bytes, std::size_t maxDepth);

} // namespace platform

#pragma once
// Arrays of strings in the property-list file format: the XML form is written
// (by the property-list library), and both the XML and the binary forms are
// read, each by a reader of our own that enforces the bounds below as it
// reads (PropertyListXml.h, PropertyListBinary.h).
#include "platform/Result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A list of strings is far smaller and flatter than these. The size bound
// holds for both ways: property lists larger than it are neither written nor
// read, so whatever is written reads back.
constexpr std::size_t maxPropertyListSize = 4 * 1024 * 1024;
constexpr std::size_t maxPropertyListDepth = 32;
// What a binary list may fill once parsed, its shared members copied wherever
// they are used: far more than the largest XML list of maxPropertyListSize
// bytes holds.
constexpr std::size_t maxPropertyListParsedBytes = 16 * maxPropertyListSize;

// The XML property list of an array of strings, UTF-8: the XML declaration,
// the property-list document type, and one tab-indented <string> line per
// element inside <array> (an empty array is written <array/>). Special XML
// characters in the strings are escaped. An error, and nothing made, when the
// list would be larger than maxPropertyListSize.
Result<std::string> propertyListXml(const std::vector<std::string>& strings);

// What a property-list array holds. Elements that are not strings cannot be
// used by a reader of strings; they are left out and counted.
struct StringArray {
    std::vector<std::string> strings;
    std::size_t otherElements = 0;
};

// Reads XML or binary property-list bytes whose root is an array. An error
// when the bytes are larger, nest deeper or would fill more than the bounds
// above, are not a property list, or its root is not an array.
Result<StringArray> stringArrayFromPropertyList(std::string_view bytes);

} // namespace platform

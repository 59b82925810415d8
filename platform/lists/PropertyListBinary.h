#pragma once
// Reading the binary form of a property list whose root is an array. The
// bytes are read once, by this reader alone, and every bound is enforced as
// it reads: no other parser ever sees binary bytes on the way to a list.
//
// The form: "bplist00", the objects, a table of their offsets, and a
// 32-byte trailer saying the sizes of an offset and of an object reference,
// the number of objects, the top object and where the table lies. Each
// object starts with a marker byte: its type in the high four bits and its
// size in the low four, where 15 says the size follows as an integer object.
// An array, set or dictionary holds references (indexes into the offset
// table) to its members, so one object may be a member of many containers.
//
// The reader takes exactly the lists the property-list library (libplist)
// takes, and reads them to the same strings, but measures before it builds:
// the library recurses once per level and copies a shared member wherever it
// is used, so a list nested deeply enough would overflow its stack, and a
// small file whose array refers to one long string a million times would
// fill the memory. Here such a list is refused, whatever sizes its fields
// are written in.
#include "platform/Result.h"
#include "platform/lists/PropertyList.h"

#include <cstddef>
#include <string_view>

namespace platform {

// Roughly what the library spends on one element besides its text or data:
// the node, its value and its place in its container, with the allocator's
// own overhead.
constexpr std::size_t parsedElementBytes = 128;

// The strings of the root array (or set) of a binary property list. Refused
// as "not a property list": bytes the library would refuse, for any reason,
// in any object reachable from the top (a marker of no known type, a size or
// reference running past the objects, a dictionary key that is no string, a
// container that holds itself, ...). Refused with the bound passed: lists
// whose elements nest deeper than maxDepth levels (a root array of strings
// is two levels), or that would fill more than maxParsedBytes once parsed
// (parsedElementBytes per element plus the bytes of its text or data,
// counted again for every reference to a shared member). Then refused when
// the root is not an array. maxDepth is below 127 and maxParsedBytes below
// 2^31.
Result<StringArray> stringArrayFromBinary(std::string_view bytes, std::size_t maxDepth,
                                          std::size_t maxParsedBytes);

} // namespace platform

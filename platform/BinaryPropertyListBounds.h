#pragma once
// How deeply a binary property list's containers nest, and how many bytes it
// would fill once parsed, measured on its bytes without parsing it. The
// parser recurses once per level, so a list nested deeply enough would
// overflow the stack inside it; and it copies a shared member wherever it is
// used, so a small file whose array refers to one long string a million
// times, or whose arrays each hold the next twice, would fill the memory.
#include "platform/Result.h"

#include <cstddef>
#include <string_view>

namespace platform {

// Roughly what the parser spends on one element besides its text or data:
// the node, its value and its place in its container, with the allocator's
// own overhead.
constexpr std::size_t parsedElementBytes = 128;

// Success when the binary property-list bytes nest no deeper than maxDepth
// levels of elements (a root array of strings is two levels) and would fill
// at most maxParsedBytes once parsed: parsedElementBytes per element plus the
// bytes of its text or data, counted again for every reference to a shared
// member. Else an error saying which bound was passed. A container that holds
// itself nests without end. Bytes too damaged to measure pass: the parser
// refuses them on its own. maxDepth is below 255 and maxParsedBytes below
// 2^31.
Result<void> checkBinaryPropertyList(std::string_view bytes, std::size_t maxDepth,
                                     std::size_t maxParsedBytes);

} // namespace platform

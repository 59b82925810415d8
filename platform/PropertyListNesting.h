#pragma once
// How deeply a property list's containers nest, and how many elements it
// holds, measured on its bytes without parsing it. The parser recurses once
// per level, so a list nested deeply enough would overflow the stack inside
// it; and it copies a binary list's shared members wherever they are used, so
// a small file of arrays each holding the next twice would fill the memory.
#include "platform/Result.h"

#include <cstddef>
#include <string_view>

namespace platform {

// Success when the XML or binary property-list bytes nest no deeper than
// maxDepth levels of elements (a root array of strings is two levels, three
// in the XML form, whose <plist> element counts) and a binary list holds at
// most maxElements elements once its shared members are copied; else an
// error saying which bound was passed. A binary list whose containers refer
// back to themselves nests without end. Bytes of neither form, or too
// damaged to measure, pass: the parser refuses them on its own.
Result<void> checkNesting(std::string_view bytes, std::size_t maxDepth, std::size_t maxElements);

} // namespace platform

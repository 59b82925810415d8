#pragma once
// One tag holding as many attributes as asked for, or as fit in a size: the
// markup that froze libxml2, whose check of each attribute against the
// earlier ones is quadratic in their number.
#include <cstddef>
#include <cstdint>
#include <string>

namespace benchsupport {

struct AttributeKind {
    bool valued = true;   // a0="1" rather than a0
    bool distinct = true; // a0 a1 a2 ... rather than a a a ...
};

// open, then attributes while there are fewer than count and the whole stays
// within bytes, then close.
inline std::string tagWithAttributes(const std::string& open, AttributeKind kind, std::size_t count,
                                     std::size_t bytes, const std::string& close)
{
    std::string markup = open;
    if (bytes != SIZE_MAX)
        markup.reserve(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        std::string piece = " a";
        if (kind.distinct)
            piece += std::to_string(i);
        if (kind.valued)
            piece += "=\"1\"";
        if (markup.size() + piece.size() + close.size() > bytes)
            break;
        markup += piece;
    }
    return markup + close;
}

inline std::string kindName(AttributeKind kind)
{
    return std::string(kind.valued ? "valued" : "valueless") +
           (kind.distinct ? "Distinct" : "Repeated");
}

} // namespace benchsupport

#pragma once
// Big pages for the page benchmarks: one piece repeated while the page stays
// within a size.
#include <string>

namespace benchsupport {

// `piece` repeated as often as it fits whole in `bytes`.
inline std::string pageOf(const std::string& piece, std::size_t bytes)
{
    std::string page;
    page.reserve(bytes);
    while (page.size() + piece.size() <= bytes)
        page += piece;
    return page;
}

} // namespace benchsupport

// The font renaming on any bytes: it either refuses them with a reason and
// no font, or writes a font whose checksums hold and which a second renaming
// leaves byte for byte as it is.
#include "FontRename.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
std::uint32_t fileChecksum(std::string data)
{
    data.resize((data.size() + 3) / 4 * 4, '\0');
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < data.size(); at += 4)
        sum += (std::uint32_t(std::uint8_t(data[at])) << 24) |
               (std::uint32_t(std::uint8_t(data[at + 1])) << 16) |
               (std::uint32_t(std::uint8_t(data[at + 2])) << 8) | std::uint8_t(data[at + 3]);
    return sum;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string font(reinterpret_cast<const char*>(data), size);
    const fonttool::Renamed renamed = fonttool::renameFamily(font, "OpusChordsStd");
    if (renamed.font.empty() == renamed.error.empty())
        std::abort(); // exactly one of a font and a reason
    if (renamed.font.empty())
        return 0;
    if (fileChecksum(renamed.font) != 0xB1B0AFBAu)
        std::abort();
    const fonttool::Renamed again = fonttool::renameFamily(renamed.font, "OpusChordsStd");
    if (again.font != renamed.font)
        std::abort();
    return 0;
}

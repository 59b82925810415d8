#pragma once
// Helpers for the saved-list tests: a scratch data folder, fake chord records
// and whole-file reads.
#include "catalogue/Acorde.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace liststest {

using testsupport::TempFolder;

inline catalogue::AcordeRef record(const std::string& idAcorde, const std::string& idCifra,
                                   const std::string& cifra)
{
    return std::make_shared<catalogue::Acorde>(idAcorde, idCifra, "C ", "  . ", "M", " ", cifra,
                                               "DS1_0019", " ", "1", "0", "2", "3", " ", " ", " ");
}

inline std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every path below the folder, relative to it, links not followed.
inline std::set<std::string> tree(const std::filesystem::path& folder)
{
    std::set<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        paths.insert(std::filesystem::relative(entry.path(), folder).string());
    return paths;
}

// Appends the `size` low bytes of `value`, most significant first.
inline void bigEndian(std::string& out, std::uint64_t value, int size)
{
    for (int k = size - 1; k >= 0; --k)
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

// Binary property lists built by hand, with 4-byte offsets and references of
// refSize bytes: each object is its encoded bytes; object 0 is the top.
inline std::string binaryPropertyList(const std::vector<std::string>& objects, int refSize = 4)
{
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(out.size());
        out += object;
    }
    const std::uint64_t table = out.size();
    for (const std::uint64_t offset : offsets)
        bigEndian(out, offset, 4);
    out += std::string(6, '\0');
    out += '\x04'; // offset size
    out += static_cast<char>(refSize);
    bigEndian(out, objects.size(), 8);
    bigEndian(out, 0, 8);
    bigEndian(out, table, 8);
    return out;
}

// An object's marker: its type, then its count in the low bits or, past 14,
// as a 4-byte integer object that follows.
inline std::string binaryMarker(unsigned type, std::uint64_t count)
{
    std::string out;
    if (count < 15)
        return std::string(1, static_cast<char>((type << 4) | count));
    out += static_cast<char>((type << 4) | 0xF);
    out += '\x12';
    bigEndian(out, count, 4);
    return out;
}

// An array object holding references of refSize bytes to the given objects.
inline std::string binaryArray(const std::vector<std::uint32_t>& members, int refSize = 4)
{
    std::string out = binaryMarker(0xA, members.size());
    for (const std::uint32_t member : members)
        bigEndian(out, member, refSize);
    return out;
}

// An ASCII string object.
inline std::string binaryString(const std::string& text)
{
    return binaryMarker(0x5, text.size()) + text;
}

} // namespace liststest

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

// Binary property lists built by hand, with 4-byte offsets and references:
// each object is its encoded bytes; object 0 is the top.
inline std::string binaryPropertyList(const std::vector<std::string>& objects)
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
    out += '\x04'; // reference size
    bigEndian(out, objects.size(), 8);
    bigEndian(out, 0, 8);
    bigEndian(out, table, 8);
    return out;
}

// An array object holding references to the given objects.
inline std::string binaryArray(const std::vector<std::uint32_t>& members)
{
    std::string out;
    if (members.size() < 15) {
        out += static_cast<char>(0xA0 | members.size());
    } else {
        out += '\xAF';
        out += '\x12'; // a 4-byte integer count follows
        bigEndian(out, members.size(), 4);
    }
    for (const std::uint32_t member : members)
        bigEndian(out, member, 4);
    return out;
}

// An ASCII string object of fewer than 15 characters.
inline std::string binaryString(const std::string& text)
{
    return static_cast<char>(0x50 | text.size()) + text;
}

} // namespace liststest

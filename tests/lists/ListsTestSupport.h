#pragma once
// Helpers for the saved-list tests: a scratch data folder, fake chord records,
// whole-file reads, and binary lists built by hand (BinaryListBytes.h).
#include "BinaryListBytes.h"
#include "catalogue/Acorde.h"
#include "support/TempFolder.h"

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

} // namespace liststest

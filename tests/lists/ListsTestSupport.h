#pragma once
// Helpers for the saved-list tests: a scratch data folder, fake chord records
// and whole-file reads.
#include "catalogue/Acorde.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

namespace liststest {

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "cifrario-lists-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

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

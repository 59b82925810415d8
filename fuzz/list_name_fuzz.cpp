// List names on any bytes: a name the Documents folder accepts is saved as
// exactly that one entry and removed again; any other is refused without
// touching a file. Its log quoting and escaping stay on one line.
#include "platform/Description.h"
#include "platform/Documents.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
std::filesystem::path folder;

void removeFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

// A fresh data folder for the whole run, removed when the run ends.
const std::filesystem::path& dataFolder()
{
    if (folder.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "cifrario-fuzz-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        std::atexit(removeFolder);
    }
    return folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::string quoted = platform::quotedForLog(name);
    if (quoted.find('\n') != std::string::npos || quoted.find('\r') != std::string::npos)
        std::abort();
    // As the log writes it: no control byte left, and nothing more to escape,
    // so the line is well-formed UTF-8 with every control shown escaped.
    const std::string escaped = platform::escapedForLog(name);
    for (const char c : escaped)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            std::abort();
    if (platform::escapedForLog(escaped) != escaped)
        std::abort();

    const platform::Documents documents(dataFolder());
    const bool accepted = platform::Documents::isEntryName(name);
    const auto saved = documents.write(name, "x");
    if (!accepted && saved.ok())
        std::abort();
    if (saved.ok()) {
        const auto entries = documents.entries();
        if (!entries || entries->size() != 1 || entries->front() != name)
            std::abort();
    }
    (void)documents.remove(name);
    // Nothing but Documents/ may ever appear in the data folder.
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder()))
        if (entry.path().filename() != "Documents")
            std::abort();
    return 0;
}

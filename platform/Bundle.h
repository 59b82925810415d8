#pragma once
// The application bundle: the folder "bundle" beside the executable, holding
// every resource the program loads by name (samples, photographs, images,
// layouts, the catalogue data).
#include "platform/Result.h"

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

class Bundle {
public:
    explicit Bundle(std::string directory);

    // The program's own bundle. Tests may point it elsewhere.
    static Bundle& main();
    static void setMainBundleDirectory(const std::string& directory);

    const std::string& directory() const { return directory_; }

    // Full path of the regular file (or link to one) "<name>.<type>" in the
    // bundle, or nothing when there is none. An empty type looks up the name
    // as it stands. An entry of that name that is anything else (a folder, a
    // FIFO, a device, a dangling link) is logged and passed over, never
    // opened.
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& type) const;

    // The bytes of that resource, read without waiting on anything but a
    // regular file (see readRegularFile), at most maxBytes.
    Result<std::string> contentsOfResource(const std::string& name, const std::string& type,
                                           std::size_t maxBytes) const;

private:
    std::string directory_;
};

} // namespace platform

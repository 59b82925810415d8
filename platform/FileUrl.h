#pragma once
// The address of a local file, as the audio player and other file readers take it.
#include "platform/Result.h"

#include <optional>
#include <string>

namespace platform {

struct FileUrl {
    std::string path;
};

// The file address of a path. Given no path, an error: a caller that hands on
// a failed bundle lookup gets an error, not an address of nothing. Any thread.
Result<FileUrl> fileURLWithPath(const std::optional<std::string>& path);

} // namespace platform

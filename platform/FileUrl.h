#pragma once
// The address of a local file, as the audio player and other file readers take it.
#include <optional>
#include <string>

namespace platform {

struct FileUrl {
    std::string path;
};

// The file address of a path. Given no path, raises platform::Exception: a
// caller that hands on a failed bundle lookup unchecked gets an exception, not
// an address of nothing. Any thread.
FileUrl fileURLWithPath(const std::optional<std::string>& path);

} // namespace platform

#include "platform/FileUrl.h"

namespace platform {

Result<FileUrl> fileURLWithPath(const std::optional<std::string>& path)
{
    if (!path)
        return failure("fileURLWithPath: no path given");
    return FileUrl{*path};
}

} // namespace platform

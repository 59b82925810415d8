#include "platform/FileUrl.h"

#include "platform/Exception.h"

namespace platform {

FileUrl fileURLWithPath(const std::optional<std::string>& path)
{
    if (!path)
        throw Exception("fileURLWithPath: no path given");
    return FileUrl{*path};
}

} // namespace platform

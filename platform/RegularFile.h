#pragma once
// Reading a file that a user or a page can name, without ever blocking on it:
// the file is opened without waiting (a FIFO or a device answers at once),
// then checked to be a regular file before a byte is read. A link to a
// regular file is read; a dangling link, a folder, a FIFO, a socket or a
// device is refused with a reason.
#include "platform/Result.h"

#include <cstddef>
#include <string>

namespace platform {

// The whole content of the regular file at path, at most maxBytes long (a
// longer file is refused, not cut). Any thread.
Result<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

} // namespace platform

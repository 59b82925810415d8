#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

Error tooLarge(std::size_t maxBytes)
{
    return failure("file larger than " + std::to_string(maxBytes) + " bytes", ErrorKind::TooLarge);
}

const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

Result<std::string> readRegularFile(const std::string& path, std::size_t maxBytes)
{
    // O_NONBLOCK makes the open itself return at once for a FIFO without a
    // writer or a device that would wait; nothing is read before the check.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return systemError("open");
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return systemError("stat");
    if (!S_ISREG(info.st_mode))
        return failure(std::string("not a regular file: ") + kindOf(info.st_mode));
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return tooLarge(maxBytes);

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemError("read");
        if (got == 0)
            return bytes;
        // A file that grows while it is read is still bounded.
        if (static_cast<std::size_t>(got) > maxBytes - bytes.size())
            return tooLarge(maxBytes);
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace platform

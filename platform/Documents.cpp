#include "platform/Documents.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {
// A list file is a few kilobytes; anything far larger is not one of ours and
// is not read into memory.
constexpr off_t maximumReadSize = 16 * 1024 * 1024;

std::string systemError(std::string_view what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes a rename inside the folder durable; a failure here loses nothing.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

Documents::Outcome failure(std::string reason)
{
    return {false, std::move(reason)};
}

// A save takes milliseconds, so a temporary file older than this belongs to a
// writer that was killed before it could rename or remove it.
constexpr auto staleTemporaryAge = std::chrono::minutes(1);

void removeStaleTemporaries(const std::filesystem::path& dataFolder)
{
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(dataFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code entryError;
        if (it->path().filename().string().rfind(Documents::temporaryPrefix, 0) != 0 ||
            it->symlink_status(entryError).type() != std::filesystem::file_type::regular)
            continue;
        const auto written = it->last_write_time(entryError);
        if (!entryError && now - written > staleTemporaryAge)
            std::filesystem::remove(it->path(), entryError);
    }
}
} // namespace

Documents::Documents(std::filesystem::path dataFolder)
    : directory_(dataFolder.empty() ? std::filesystem::path() : dataFolder / "Documents")
{
}

Documents Documents::standard()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return Documents(folder.isEmpty()
                         ? std::filesystem::path()
                         : std::filesystem::path(QFile::encodeName(folder).toStdString()));
}

bool Documents::isEntryName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::optional<std::vector<std::string>> Documents::entries() const
{
    if (directory_.empty())
        return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(directory_, ec);
    std::filesystem::directory_iterator it(directory_, ec);
    if (ec)
        return std::nullopt;
    std::vector<std::string> names;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            return std::nullopt;
        names.push_back(it->path().filename().string());
    }
    if (ec)
        return std::nullopt;
    return names;
}

std::optional<std::string> Documents::read(std::string_view name, std::string* reason) const
{
    auto fail = [reason](std::string why) -> std::optional<std::string> {
        if (reason)
            *reason = std::move(why);
        return std::nullopt;
    };
    if (directory_.empty() || !isEntryName(name))
        return fail("not an entry name of the Documents folder");
    const std::filesystem::path path = directory_ / std::string(name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(systemError("open"));
    std::optional<std::string> result;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        result = fail(systemError("stat"));
    }
    else if (!S_ISREG(info.st_mode)) {
        result = fail("not a regular file");
    }
    else if (info.st_size > maximumReadSize) {
        result = fail("file too large");
    }
    else {
        std::string bytes;
        char buffer[8192];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result = fail(systemError("read"));
                break;
            }
            if (got == 0) {
                result = std::move(bytes);
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(got));
            if (static_cast<off_t>(bytes.size()) > maximumReadSize) {
                result = fail("file too large");
                break;
            }
        }
    }
    ::close(fd);
    return result;
}

Documents::Outcome Documents::write(std::string_view name, std::string_view bytes) const
{
    if (directory_.empty() || !isEntryName(name))
        return failure("not an entry name of the Documents folder");
    std::error_code ec;
    std::filesystem::create_directories(directory_, ec);
    if (ec)
        return failure("cannot create the Documents folder: " + ec.message());

    const std::filesystem::path target = directory_ / std::string(name);
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return failure("a folder holds that name");

    removeStaleTemporaries(directory_.parent_path());
    // The temporary file lies beside Documents/, on the same file system, so
    // the rename is one step and nothing half written is ever listed.
    std::string temporary =
        (directory_.parent_path() / (std::string(temporaryPrefix) + "XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return failure(systemError("create temporary file"));
    Outcome outcome;
    if (!writeAll(fd, bytes))
        outcome = failure(systemError("write"));
    else if (::fsync(fd) != 0)
        outcome = failure(systemError("fsync"));
    if (::close(fd) != 0 && outcome)
        outcome = failure(systemError("close"));
    if (outcome && ::rename(temporary.c_str(), target.c_str()) != 0)
        outcome = failure(systemError("rename"));
    if (!outcome) {
        ::unlink(temporary.c_str());
        return outcome;
    }
    syncFolder(directory_);
    return outcome;
}

Documents::Outcome Documents::remove(std::string_view name) const
{
    if (directory_.empty() || !isEntryName(name))
        return failure("not an entry name of the Documents folder");
    // remove_all looks at the entry itself, not through a link, and does not
    // follow links inside a folder. An entry already gone is no failure.
    std::error_code ec;
    std::filesystem::remove_all(directory_ / std::string(name), ec);
    if (ec)
        return failure(ec.message());
    return {};
}

} // namespace platform

#include "platform/Documents.h"

#include "platform/Log.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

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

// A save takes milliseconds, so a temporary file older than this belongs to a
// writer that was killed before it could rename or remove it.
constexpr auto staleTemporaryAge = std::chrono::minutes(1);

void removeStaleTemporaries(const std::filesystem::path& folder)
{
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code entryError;
        if (!Documents::isTemporaryName(it->path().filename().string()) ||
            it->symlink_status(entryError).type() != std::filesystem::file_type::regular)
            continue;
        const auto written = it->last_write_time(entryError);
        if (!entryError && now - written > staleTemporaryAge)
            std::filesystem::remove(it->path(), entryError);
    }
}

} // namespace

Documents::Documents(const std::filesystem::path& dataFolder)
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
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos &&
           !isTemporaryName(name);
}

bool Documents::isTemporaryName(std::string_view name)
{
    return name.starts_with(temporaryPrefix);
}

Result<std::vector<std::string>> Documents::entries() const
{
    const auto unlistable = [this](const std::string& why) -> Error {
        log(LogLevel::Warning,
            "Documents folder cannot be listed: " + directory_.string() + ": " + why);
        return failure(why);
    };
    if (directory_.empty())
        return unlistable("no application data folder");
    std::error_code ec;
    std::filesystem::create_directories(directory_, ec);
    std::filesystem::directory_iterator it(directory_, ec);
    if (ec)
        return unlistable(ec.message());
    std::vector<std::string> names;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            return unlistable(ec.message());
        std::string name = it->path().filename().string();
        if (!isTemporaryName(name))
            names.push_back(std::move(name));
    }
    if (ec)
        return unlistable(ec.message());
    return names;
}

Result<std::string> Documents::read(std::string_view name, std::size_t maxBytes) const
{
    if (directory_.empty() || !isEntryName(name))
        return failure("not an entry name of the Documents folder");
    return readRegularFile((directory_ / std::string(name)).string(), maxBytes);
}

Result<void> Documents::write(std::string_view name, std::string_view bytes) const
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

    // The temporary file lies beside the target, in the same folder: a rename
    // never crosses a mount point (a bind mount shares st_dev yet refuses
    // one), and the listing passes over its name.
    removeStaleTemporaries(directory_);
    std::string temporary = (directory_ / (std::string(temporaryPrefix) + "XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return systemError("create temporary file");
    Result<void> outcome;
    if (!writeAll(fd, bytes))
        outcome = systemError("write");
    else if (::fsync(fd) != 0)
        outcome = systemError("fsync");
    if (::close(fd) != 0 && outcome)
        outcome = systemError("close");
    if (outcome && ::rename(temporary.c_str(), target.c_str()) != 0)
        outcome = systemError("rename");
    if (!outcome) {
        ::unlink(temporary.c_str());
        return outcome;
    }
    syncFolder(directory_);
    return outcome;
}

Result<void> Documents::remove(std::string_view name) const
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

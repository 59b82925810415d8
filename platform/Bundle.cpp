#include "platform/Bundle.h"

#include "platform/Log.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <filesystem>
#include <memory>

namespace platform {
namespace {
std::unique_ptr<Bundle>& mainBundleSlot()
{
    static std::unique_ptr<Bundle> bundle;
    return bundle;
}
} // namespace

Bundle::Bundle(std::string directory) : directory_(std::move(directory)) {}

Bundle& Bundle::main()
{
    auto& slot = mainBundleSlot();
    if (!slot)
        slot = std::make_unique<Bundle>(
            (QCoreApplication::applicationDirPath() + QStringLiteral("/bundle")).toStdString());
    return *slot;
}

void Bundle::setMainBundleDirectory(const std::string& directory)
{
    mainBundleSlot() = std::make_unique<Bundle>(directory);
}

std::optional<std::string> Bundle::pathForResource(const std::string& name,
                                                   const std::string& type) const
{
    if (name.empty() || name.find('/') != std::string::npos)
        return std::nullopt;
    const std::string file = type.empty() ? name : name + "." + type;
    std::filesystem::path path = std::filesystem::path(directory_) / file;
    // stat() only looks: unlike an open, it never waits on a FIFO or device.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_regular_file(status))
        return path.string();
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        log(LogLevel::Warning, "bundle resource is not a regular file: " + path.string());
    return std::nullopt;
}

Result<std::string> Bundle::contentsOfResource(const std::string& name, const std::string& type,
                                               std::size_t maxBytes) const
{
    const auto path = pathForResource(name, type);
    if (!path)
        return failure("no resource \"" + (type.empty() ? name : name + "." + type) +
                       "\" in the bundle");
    return readRegularFile(*path, maxBytes);
}

} // namespace platform

#include "platform/Bundle.h"

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
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    return path.string();
}

} // namespace platform

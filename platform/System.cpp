#include "platform/System.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<int> version{13};
std::atomic<DeviceIdiom> idiom{DeviceIdiom::Pad};
} // namespace

int systemVersion()
{
    return version.load();
}
void setSystemVersion(int major)
{
    version.store(major);
}
DeviceIdiom deviceIdiom()
{
    return idiom.load();
}
void setDeviceIdiom(DeviceIdiom value)
{
    idiom.store(value);
}

} // namespace platform

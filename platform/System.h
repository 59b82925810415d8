#pragma once
// Facts about the system the program runs on that the screens branch on.

namespace platform {

// The system version's major number: 13 unless a test sets 12 to run the
// older system's branches.
int systemVersion();
void setSystemVersion(int major);
inline bool systemVersionAtLeast(int major)
{
    return systemVersion() >= major;
}

// The device idiom. A desktop window counts as a pad; tests may set phone.
enum class DeviceIdiom { Phone, Pad };
DeviceIdiom deviceIdiom();
void setDeviceIdiom(DeviceIdiom idiom);

} // namespace platform

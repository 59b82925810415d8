#include "platform/Log.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace platform {
namespace {
std::mutex logMutex;
LogCapture* activeCapture = nullptr;
} // namespace

void log(std::string_view line)
{
    std::lock_guard lock(logMutex);
    std::fprintf(stderr, "cifrario: %.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(stderr);
    if (activeCapture)
        activeCapture->lines_.emplace_back(line);
}

LogCapture::LogCapture()
{
    std::lock_guard lock(logMutex);
    previous_ = activeCapture;
    activeCapture = this;
}

LogCapture::~LogCapture()
{
    std::lock_guard lock(logMutex);
    activeCapture = previous_;
}

std::vector<std::string> LogCapture::lines() const
{
    std::lock_guard lock(logMutex);
    return lines_;
}

bool LogCapture::contains(std::string_view line) const
{
    std::lock_guard lock(logMutex);
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

void LogCapture::clear()
{
    std::lock_guard lock(logMutex);
    lines_.clear();
}

} // namespace platform

#include "platform/Log.h"

#include "platform/Description.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

namespace platform {
namespace {
std::mutex logMutex;
LogCapture* activeCapture = nullptr;
std::atomic<LogLevel> logThreshold{LogLevel::Info};

const char* levelMark(LogLevel level)
{
    switch (level) {
    case LogLevel::Debug:
        return "debug: ";
    case LogLevel::Warning:
        return "warning: ";
    case LogLevel::Error:
        return "error: ";
    case LogLevel::Info:
        break;
    }
    return "";
}
} // namespace

void log(std::string_view line)
{
    log(LogLevel::Info, line);
}

void log(LogLevel level, std::string_view line)
{
    if (level < logThreshold.load())
        return;
    // Names from outside (lists, files, addresses) reach the log inside its
    // lines: escaped here, none can end a line and forge the next, or send a
    // terminal its control sequences, whichever call logs it.
    std::string text = escapedForLog(line);
    std::lock_guard lock(logMutex);
    std::fprintf(stderr, "cifrario: %s%.*s\n", levelMark(level), static_cast<int>(text.size()),
                 text.data());
    std::fflush(stderr);
    if (activeCapture) {
        activeCapture->lines_.push_back(std::move(text));
        activeCapture->levels_.push_back(level);
    }
}

void setLogThreshold(LogLevel threshold)
{
    logThreshold.store(threshold);
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

LogLevel LogCapture::levelOf(std::string_view line) const
{
    std::lock_guard lock(logMutex);
    const auto found = std::find(lines_.begin(), lines_.end(), line);
    return found == lines_.end() ? LogLevel::Debug : levels_[found - lines_.begin()];
}

void LogCapture::clear()
{
    std::lock_guard lock(logMutex);
    lines_.clear();
    levels_.clear();
}

} // namespace platform

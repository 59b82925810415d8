#pragma once
// The system log: one line per call on standard error. Tests capture the lines
// with LogCapture instead of reading standard error.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Writes one line. Callable from any thread except the audio callback.
void log(std::string_view line);

// While alive, every logged line is also kept here, in order. Main thread only
// for construction and destruction; nests (the innermost capture sees lines).
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    bool contains(std::string_view line) const;
    void clear();

private:
    friend void log(std::string_view line);
    LogCapture* previous_;
    std::vector<std::string> lines_;
};

} // namespace platform

#pragma once
// The system log: one line per call on standard error. Tests capture the lines
// with LogCapture instead of reading standard error.
//
// One call writes one line: characters that would end the line or act on a
// terminal are written escaped (see escapedForLog in Description.h), so a
// name from outside cannot forge a line of its own.
//
// Every line has a level. The program's own diagnostic lines (a chord chosen,
// a list saved) are Info, written as given; Warning marks input refused or an
// operation that failed, Error a fault of the program's environment; Debug
// lines are written only when the threshold is lowered to Debug.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class LogLevel { Debug, Info, Warning, Error };

// Writes one line at Info level, as given but for the escapes. Callable from
// any thread except the audio callback.
void log(std::string_view line);
// Writes one line at the given level; levels other than Info are marked.
void log(LogLevel level, std::string_view line);

// Lines below the threshold are not written (Info by default). Any thread.
void setLogThreshold(LogLevel threshold);

// While alive, every logged line at or above the threshold is also kept here,
// in order, as written (escaped, without the level mark). Main thread only for
// construction and destruction; nests (the innermost capture sees lines).
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    bool contains(std::string_view line) const;
    // The level of the first line equal to the given one; Debug when none.
    LogLevel levelOf(std::string_view line) const;
    void clear();

private:
    friend void log(LogLevel level, std::string_view line);
    LogCapture* previous_;
    std::vector<std::string> lines_;
    std::vector<LogLevel> levels_;
};

} // namespace platform

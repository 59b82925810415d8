#pragma once
// Starts a Qt program as its own process on the offscreen platform and
// measures its start: from exec until its event loop is idle with the window
// painted, its peak resident memory and the shared libraries it has loaded.
#include <optional>
#include <string>

namespace startbench {

struct StartFigures {
    // From exec to the first time the event loop waits, which is just after
    // the first paint of the window shown at start.
    double startToFirstWaitMs = 0;
    // From exec until the event loop is idle.
    double startToIdleMs = 0;
    double peakRssMiB = 0;
    int sharedLibraries = 0;
};

// Runs `program` once, with no arguments and its output discarded, and ends
// it once idle. Nothing when it ends early or is not idle within 30 s; `error`
// then says why.
std::optional<StartFigures> measureStart(const std::string& program, std::string& error);

} // namespace startbench

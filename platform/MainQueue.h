#pragma once
// "Run later on the main thread": the work runs on a later turn of the Qt
// event loop, after the caller's handler has returned.
#include <functional>

namespace platform {

void runOnMainQueue(std::function<void()> work);

// Runs queued work until none is left (tests).
void drainMainQueue();

} // namespace platform

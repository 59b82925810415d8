#pragma once
// Waiting for slow work on the main thread without freezing the windows.
#include "platform/Result.h"

#include <functional>

namespace platform {

// Runs work on a worker thread and returns when it has finished, like a plain
// call. Meanwhile the calling thread keeps handling events other than user
// input, so windows still paint; clicks and keys wait until the work is done.
// Timers and queued calls do run during the wait. Called off the main thread,
// or without an application object, the work simply runs in place. An
// exception that escapes the work comes back as an error with its message,
// as does a worker thread that cannot be started.
Result<void> runAndWait(const std::function<void()>& work);

} // namespace platform

#pragma once
// Waiting for slow work on the main thread without freezing the windows.
#include "platform/Result.h"

#include <functional>
#include <stop_token>

namespace platform {

// Runs work on a worker thread and returns when it has finished, like a plain
// call. Meanwhile the calling thread keeps handling every event but the
// user's input, which is dropped: windows paint, timers and queued calls run,
// and a window can be closed. When the application quits during the wait
// (its last window closed), stop is requested of the work, which should then
// end at once; the call returns when it has. Called off the main thread, or
// without an application object, the work simply runs in place. An exception
// that escapes the work comes back as an error with its message, as does a
// worker thread that cannot be started.
Result<void> runAndWait(const std::function<void(std::stop_token)>& work);

} // namespace platform

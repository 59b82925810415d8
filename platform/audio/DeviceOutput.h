#pragma once
// The machine's default audio output device, through PortAudio: one stream of
// 44.1 kHz stereo float in fixed buffers, whose callback pulls the engine's mix.
#include "platform/Result.h"

#include <memory>

namespace platform {

class AudioEngine;

class DeviceOutput {
public:
    // Opens and starts the default output device for engine: the open
    // output, nothing when the machine has no output device, or an error when
    // a device exists but cannot be opened. Main thread only.
    static Result<std::unique_ptr<DeviceOutput>> open(AudioEngine& engine);
    // Stops the stream (waiting for a running callback to end) and closes it.
    // Main thread only.
    ~DeviceOutput();
    DeviceOutput(const DeviceOutput&) = delete;
    DeviceOutput& operator=(const DeviceOutput&) = delete;

private:
    explicit DeviceOutput(void* stream) : stream_(stream) {}
    void* stream_;
};

} // namespace platform

#pragma once
// The machine's default audio output device, through PortAudio: one stream of
// 44.1 kHz stereo float in fixed buffers, whose callback pulls the engine's mix.
#include <memory>
#include <string>

namespace platform {

class AudioEngine;

class DeviceOutput {
public:
    enum class Status { Opened, NoDevice, Failed };

    // Opens and starts the default output device for engine. Nothing, with
    // status NoDevice or Failed and the reason in reason, when it cannot.
    // Main thread only.
    static std::unique_ptr<DeviceOutput> open(AudioEngine& engine, Status& status,
                                              std::string& reason);
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

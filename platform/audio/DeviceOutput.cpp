#include "platform/audio/DeviceOutput.h"

#include "platform/audio/AudioEngine.h"

#include <portaudio.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// While alive, standard error goes to /dev/null. The sound libraries behind
// PortAudio (ALSA, JACK) print pages of probing chatter while they look for
// devices, which would bury the program's own log. Main thread only; lines
// that other threads write meanwhile are lost, so it is held only around the
// device probing and opening.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

// The PortAudio callback: straight on to the engine. Audio thread.
int streamCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags flags, void* engine)
{
    static_cast<AudioEngine*>(engine)->deviceCallback(static_cast<float*>(output), frames,
                                                      (flags & paOutputUnderflow) != 0);
    return paContinue;
}

} // namespace

Result<std::unique_ptr<DeviceOutput>> DeviceOutput::open(AudioEngine& engine)
{
    // Never start a JACK server just to probe for one.
    ::setenv("JACK_NO_START_SERVER", "1", 0);
    QuietStandardError quiet;
    PaError error = Pa_Initialize();
    if (error != paNoError)
        return failure(std::string("audio system unavailable: ") + Pa_GetErrorText(error));
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice) {
        Pa_Terminate();
        return std::unique_ptr<DeviceOutput>();
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = AudioEngine::kChannels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = info ? info->defaultLowOutputLatency : 0.02;
    PaStream* stream = nullptr;
    error = Pa_OpenStream(&stream, nullptr, &parameters, AudioEngine::kSampleRate,
                          AudioEngine::kBufferFrames, paNoFlag, streamCallback, &engine);
    if (error == paNoError) {
        error = Pa_StartStream(stream);
        if (error != paNoError)
            Pa_CloseStream(stream);
    }
    if (error != paNoError) {
        Pa_Terminate();
        return failure(std::string("cannot open the audio output: ") + Pa_GetErrorText(error));
    }
    return std::unique_ptr<DeviceOutput>(new DeviceOutput(stream));
}

DeviceOutput::~DeviceOutput()
{
    auto* stream = static_cast<PaStream*>(stream_);
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    Pa_Terminate();
}

} // namespace platform

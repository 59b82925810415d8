#pragma once
// The one mixer behind every audio player: it sums every sounding player into
// the output, 44.1 kHz stereo float, in buffers of kBufferFrames frames. The
// sum is scaled by kMixGain, which leaves any single chord of the catalogue
// below full scale, and passes a limiter (MixLimiter) for chords struck over
// ringing ones; the final clamp to full scale is a safety net that the
// limiter keeps idle.
//
// Threads. The main thread makes players, starts them and opens or closes the
// output. The consumer thread pulls the mix with render(): while a device
// output is open that is the device's audio callback; on the null output,
// which consumes nothing by itself, it is whoever pulls (tests, benchmarks),
// one thread at a time. The two sides share only a lock-free command queue and
// a few atomics. A decoded sample that the cache replaces is freed on the
// main thread, and only once no voice and no waiting command can reach it
// (the consumer counts the voices reading each sample), so the consumer never
// frees one and never reads a freed one.
#include "platform/Result.h"
#include "platform/audio/CommandQueue.h"
#include "platform/audio/DecodedSample.h"
#include "platform/audio/MixLimiter.h"
#include "platform/audio/SampleCache.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class DeviceOutput;

class AudioEngine {
public:
    static constexpr int kSampleRate = platform::kSampleRate;
    static constexpr int kChannels = 2;
    // Frames per device buffer: 2.9 ms at 44.1 kHz.
    static constexpr int kBufferFrames = 128;
    // The mix's gain: the loudest chord of the catalogue struck alone, whose
    // samples sum to 1.21 of full scale, peaks at 0.91, under the limiter's
    // ceiling.
    static constexpr float kMixGain = 0.75f;
    // From a sum of 16-bit sample values to the output's scale.
    static constexpr float kSampleScale = kMixGain / 32768.0f;
    // Players that can sound at once; three full banks fit.
    static constexpr int kMaxVoices = 512;

    // The process's engine, on the null output until the audio session opens
    // the device. Main thread only.
    static std::shared_ptr<AudioEngine> shared();

    // A new engine on the null output. Main thread only.
    AudioEngine();
    // Closes the device output, if open. Main thread only.
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // --- Output (main thread only) ---

    // Opens the default output device and starts pulling the mix from its
    // callback. Where the machine has no output device, stays on the null
    // output, logs one line and succeeds. An error when a device exists but
    // cannot be opened (the null output stays).
    Result<void> openDeviceOutput();
    // Stops the device output and returns to the null output.
    void closeDeviceOutput();
    bool hasDeviceOutput() const { return device_ != nullptr; }

    // --- Decoded samples (main thread only) ---

    // The decoded sound of the MP3 file at path, decoded at once unless the
    // cache holds it already, then shared; a file changed on disk is decoded
    // again. An error when the file cannot be read or decoded, logged as a
    // warning once for each version of the file.
    Result<std::shared_ptr<const DecodedSample>> sample(const std::string& path)
    {
        return cache_.sample(path);
    }
    // Has the files not yet in the cache decoded on worker threads, in the
    // given order, and returns at once.
    void decodeInBackground(const std::vector<std::string>& paths)
    {
        cache_.decodeInBackground(paths);
    }
    // Waits for the background decoding to end (tests and benchmarks).
    void waitForBackgroundDecoding() { cache_.waitForBackground(); }
    // Bytes of decoded PCM held by the cache, samples it replaced and has not
    // freed yet included.
    std::size_t decodedBytes() { return cache_.decodedBytes(); }

    // --- Players (main thread only) ---

    // A new voice identity for a player.
    std::uint64_t newVoiceId() { return ++lastVoiceId_; }
    // Sounds the sample for voice id from frame on. A voice that is already
    // sounding jumps to frame instead: one voice never sounds twice at once.
    void startVoice(std::uint64_t id, const DecodedSample& sample, std::int64_t frame);
    // Silences voice id, if it sounds.
    void stopVoice(std::uint64_t id);

    // Groups commands: while a Batch lives, starts and stops are held back and
    // reach the mix together when the outermost Batch ends, so notes started
    // in one batch start in the same buffer. Main thread only.
    class Batch {
    public:
        explicit Batch(AudioEngine& engine);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        AudioEngine& engine_;
    };

    // --- Consumer side ---

    // Mixes the next frames into out (interleaved stereo, frames * kChannels
    // floats), after applying every command published so far. The consumer
    // thread only (see above). Never allocates, locks, logs or touches files.
    void render(float* out, int frames);
    // The device output's audio callback: counts an underflow, then renders.
    // The device's audio thread only.
    void deviceCallback(float* out, unsigned long frames, bool underflow);

    // --- Counters (any thread) ---

    // Frames mixed since the engine was made: the engine's clock.
    std::uint64_t framesRendered() const { return framesRendered_.load(std::memory_order_acquire); }
    // Buffers that the device played late (it played silence instead).
    std::uint64_t underruns() const { return underruns_.load(std::memory_order_relaxed); }
    // Commands lost to a full queue (only when nothing consumes for long).
    std::uint64_t droppedCommands() const { return dropped_.load(std::memory_order_relaxed); }
    // Voices sounding after the last mixed buffer.
    int soundingVoices() const { return sounding_.load(std::memory_order_relaxed); }
    // Frames mixed with the limiter's gain below 1.
    std::uint64_t limitedFrames() const { return limited_.load(std::memory_order_relaxed); }
    // Frames that the final clamp changed: none, while the limiter works.
    std::uint64_t clippedFrames() const { return clipped_.load(std::memory_order_relaxed); }
    // Times commands were handed to the mix: once per command outside a
    // Batch, once per outermost Batch inside one. Main thread only.
    std::uint64_t publications() const { return publications_; }

private:
    struct Command {
        enum class Kind : std::uint8_t { Start, Stop };
        Kind kind = Kind::Stop;
        std::uint64_t voice = 0;
        const DecodedSample* sample = nullptr;
        std::int64_t frame = 0;
    };
    struct Voice {
        std::uint64_t id;
        const DecodedSample* sample;
        std::int64_t position;
    };

    // Consumer thread.
    void applyCommand(const Command& command);
    void endVoice(int index);
    void mixChunk(float* out, int frames);
    // Main thread.
    void send(const Command& command);
    bool mayStillRead(const DecodedSample& sample) const;

    CommandQueue<Command, 4096> commands_;
    int batchDepth_ = 0;
    std::uint64_t publications_ = 0;
    std::uint64_t lastVoiceId_ = 0;
    std::unique_ptr<DeviceOutput> device_;

    // Consumer-side state.
    std::array<Voice, kMaxVoices> voices_{};
    int voiceCount_ = 0;
    std::array<float, kBufferFrames> mono_{};
    MixLimiter limiter_;
    static_assert(kBufferFrames <= MixLimiter::kMaxFrames,
                  "the limiter takes one buffer at a time");

    std::atomic<std::uint64_t> framesRendered_{0};
    std::atomic<std::uint64_t> underruns_{0};
    std::atomic<std::uint64_t> dropped_{0};
    std::atomic<std::uint64_t> limited_{0};
    std::atomic<std::uint64_t> clipped_{0};
    std::atomic<int> sounding_{0};

    // Last, so that its workers end first when the engine goes.
    SampleCache cache_{[this](const DecodedSample& sample) { return mayStillRead(sample); }};
};

} // namespace platform

#pragma once
// The one mixer behind every audio player: it sums every sounding player into
// the output, 44.1 kHz stereo float, in buffers of kBufferFrames frames.
//
// Threads. The main thread makes players, starts them and opens or closes the
// output. The consumer thread pulls the mix with render(): while a device
// output is open that is the device's audio callback; on the null output,
// which consumes nothing by itself, it is whoever pulls (tests, benchmarks),
// one thread at a time. The two sides share only a lock-free command queue and
// a few atomics. Decoded samples stay in the engine's cache for its whole life,
// so the consumer never frees one and never reads a freed one.
#include "platform/Error.h"
#include "platform/audio/CommandQueue.h"
#include "platform/audio/DecodedSample.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class DeviceOutput;

class AudioEngine {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr int kChannels = 2;
    // Frames per device buffer: 5.8 ms at 44.1 kHz.
    static constexpr int kBufferFrames = 256;
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
    // output, logs one line and succeeds. False, with the reason in *error,
    // when a device exists but cannot be opened (the null output stays).
    bool openDeviceOutput(std::optional<Error>* error = nullptr);
    // Stops the device output and returns to the null output.
    void closeDeviceOutput();
    bool hasDeviceOutput() const { return device_ != nullptr; }

    // --- Decoded samples (main thread only) ---

    // The decoded sound of the MP3 file at path, decoded on first use and then
    // shared; a file changed on disk is decoded again. Nothing, with the reason
    // in *error, when the file cannot be read or decoded.
    std::shared_ptr<const DecodedSample> sample(const std::string& path,
                                                std::string* error = nullptr);
    // Decodes, on several threads at once, the files not yet in the cache, so
    // that later sample() calls for them are immediate. Failures are left for
    // sample() to report.
    void preloadSamples(const std::vector<std::string>& paths);
    // Bytes of decoded PCM held by the cache.
    std::size_t decodedBytes() const;

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
    // Times commands were handed to the mix: once per command outside a
    // Batch, once per outermost Batch inside one. Main thread only.
    std::uint64_t publications() const { return publications_; }

private:
    struct Command {
        enum class Kind : std::uint8_t { Start, Stop };
        Kind kind = Kind::Stop;
        std::uint64_t voice = 0;
        const std::int16_t* data = nullptr;
        std::int64_t length = 0;
        std::int64_t frame = 0;
    };
    struct Voice {
        std::uint64_t id;
        const std::int16_t* data;
        std::int64_t length;
        std::int64_t position;
    };
    struct CacheEntry {
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        std::shared_ptr<const DecodedSample> sample;
    };

    // Consumer thread.
    void applyCommand(const Command& command);
    void mixChunk(float* out, int frames);
    // Main thread.
    void send(const Command& command);

    CommandQueue<Command, 4096> commands_;
    int batchDepth_ = 0;
    std::uint64_t publications_ = 0;
    std::uint64_t lastVoiceId_ = 0;
    std::unique_ptr<DeviceOutput> device_;
    std::map<std::string, CacheEntry> cache_;
    // Samples replaced in the cache by a newer decoding of their file: kept,
    // since a voice may still be reading them.
    std::vector<std::shared_ptr<const DecodedSample>> retired_;

    // Consumer-side state.
    std::array<Voice, kMaxVoices> voices_{};
    int voiceCount_ = 0;
    std::array<float, kBufferFrames> mono_{};

    std::atomic<std::uint64_t> framesRendered_{0};
    std::atomic<std::uint64_t> underruns_{0};
    std::atomic<std::uint64_t> dropped_{0};
    std::atomic<int> sounding_{0};
};

} // namespace platform

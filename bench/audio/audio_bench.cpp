// Figures for the sample bank and the mixer: the load of the 96 players (which
// no longer decodes), the background decoding that follows it, the first tap
// that finds its samples not yet decoded, the time from the play command
// reaching the mixer to the first sound of an offline render, the cost of one
// mixed buffer with every player sounding, and the memory the decoded bank
// takes.
#include "fretboard/SampleBank.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioEngine.h"
#include "platform/audio/DecodedSample.h"

#include <QWidget>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <vector>

using platform::AudioEngine;

namespace {

std::string bundleDirectory()
{
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "bundle").string();
}

std::vector<std::string> samplePaths()
{
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(bundleDirectory()))
        if (entry.path().extension() == ".mp3")
            paths.push_back(entry.path().string());
    return paths;
}

const catalogue::FretPattern kEMajor{{0, 0, 1, 2, 2, 0}};

// The application's first paint, which lets the banks' background decoding
// start.
void paintAWindowOnce()
{
    static const bool painted = [] {
        QWidget window;
        window.resize(40, 40);
        window.show();
        platform::drainMainQueue();
        window.repaint();
        platform::drainMainQueue();
        return true;
    }();
    benchmark::DoNotOptimize(painted);
}

// A bank whose 96 samples are all decoded.
struct DecodedBank {
    std::shared_ptr<AudioEngine> engine = std::make_shared<AudioEngine>();
    fretboard::SampleBank bank{engine};
    DecodedBank()
    {
        paintAWindowOnce();
        bank.loadForGridScreen(platform::Bundle(bundleDirectory()));
        platform::drainMainQueue();
        engine->waitForBackgroundDecoding();
    }
};

// The main screen's load as start-up runs it: 96 players made and readied,
// nothing decoded, on a fresh engine each time.
void BM_BankLoad(benchmark::State& state)
{
    const platform::Bundle bundle(bundleDirectory());
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = std::make_shared<AudioEngine>();
        auto bank = std::make_unique<fretboard::SampleBank>(engine);
        state.ResumeTiming();
        bank->loadForMainScreen(bundle);
        state.PauseTiming();
        bank.reset();
        engine.reset();
        platform::drainMainQueue(); // the queued decode finds its engine gone
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BankLoad)->Unit(benchmark::kMillisecond);

// From the event loop's turn after the load, once the application has
// painted, to every sample decoded on the workers.
void BM_BankBackgroundDecode(benchmark::State& state)
{
    paintAWindowOnce();
    const platform::Bundle bundle(bundleDirectory());
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = std::make_shared<AudioEngine>();
        fretboard::SampleBank bank(engine);
        bank.loadForMainScreen(bundle);
        state.ResumeTiming();
        platform::drainMainQueue();
        engine->waitForBackgroundDecoding();
        bytes = engine->decodedBytes();
    }
    state.counters["decoded_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["workers"] = platform::SampleCache::kMaxWorkers;
}
BENCHMARK(BM_BankBackgroundDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

// A tap before the background decoding: the six samples of E major decoded at
// once on the main thread, and the chord started.
void BM_FirstTapDecodesItsSamples(benchmark::State& state)
{
    const platform::Bundle bundle(bundleDirectory());
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = std::make_shared<AudioEngine>();
        fretboard::SampleBank bank(engine);
        bank.loadForGridScreen(bundle);
        state.ResumeTiming();
        bank.playChord(kEMajor);
    }
    state.counters["samples"] = 6;
}
BENCHMARK(BM_FirstTapDecodesItsSamples)->Unit(benchmark::kMillisecond);

// The first tap of a bank whose samples the engine has decoded: each of the
// six players takes its sound from the engine's cache.
void BM_FirstTapAfterBackgroundDecode(benchmark::State& state)
{
    const DecodedBank decoded;
    const platform::Bundle bundle(bundleDirectory());
    for (auto _ : state) {
        state.PauseTiming();
        fretboard::SampleBank bank(decoded.engine);
        bank.loadForGridScreen(bundle);
        state.ResumeTiming();
        bank.playChord(kEMajor);
    }
}
BENCHMARK(BM_FirstTapAfterBackgroundDecode)->Unit(benchmark::kMicrosecond);

// Reading the 96 files.
void BM_BankReadFiles(benchmark::State& state)
{
    const auto paths = samplePaths();
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(platform::readSampleFile(path));
    state.counters["files"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_BankReadFiles)->Unit(benchmark::kMillisecond);

// Decoding the 96 files on one thread.
void BM_BankDecodeOneThread(benchmark::State& state)
{
    std::vector<std::vector<unsigned char>> files;
    for (const auto& path : samplePaths())
        files.push_back(*platform::readSampleFile(path));
    for (auto _ : state)
        for (const auto& bytes : files)
            benchmark::DoNotOptimize(platform::decodeMp3(bytes));
    state.counters["per_sample_ms"] = benchmark::Counter(
        static_cast<double>(files.size()) / 1000.0,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BankDecodeOneThread)->Unit(benchmark::kMillisecond);

// From the play command reaching the mixer (the chord's commands published at
// the end of playChord) to the first output frame that is not silent, pulling
// 128-frame buffers as the device would. Timed by hand around the render only.
void BM_PlayCommandToFirstSound(benchmark::State& state)
{
    DecodedBank decoded;
    std::vector<float> buffer(AudioEngine::kBufferFrames * AudioEngine::kChannels);
    double framesUntilSound = 0;
    for (auto _ : state) {
        decoded.bank.playChord(kEMajor);
        const auto start = std::chrono::steady_clock::now();
        int frames = 0;
        bool heard = false;
        while (!heard && frames < AudioEngine::kSampleRate) {
            decoded.engine->render(buffer.data(), AudioEngine::kBufferFrames);
            for (int i = 0; i < AudioEngine::kBufferFrames && !heard; ++i, ++frames)
                heard = buffer[static_cast<std::size_t>(i) * AudioEngine::kChannels] != 0.0f;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        framesUntilSound = frames;
    }
    state.counters["buffer_frames"] = AudioEngine::kBufferFrames;
    state.counters["frames_until_sound"] = framesUntilSound;
    // At the device, the buffer also waits its turn behind the one playing.
    state.counters["worst_latency_ms"] =
        1000.0 * (framesUntilSound - 1 + AudioEngine::kBufferFrames) / AudioEngine::kSampleRate;
}
BENCHMARK(BM_PlayCommandToFirstSound)->Unit(benchmark::kMicrosecond)->UseManualTime();

// One 128-frame buffer of the mix with all 96 players sounding: far past full
// scale, so the limiter works on every frame.
void BM_MixBufferAll96Sounding(benchmark::State& state)
{
    DecodedBank decoded;
    auto& bank = decoded.bank;
    std::vector<float> buffer(AudioEngine::kBufferFrames * AudioEngine::kChannels);
    auto startAll = [&] {
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret < 16; ++fret)
                bank.playNote(bank.player(string, fret));
    };
    startAll();
    int voices = 0;
    for (auto _ : state) {
        decoded.engine->render(buffer.data(), AudioEngine::kBufferFrames);
        benchmark::DoNotOptimize(buffer.data());
        if (decoded.engine->soundingVoices() < 96) {
            state.PauseTiming();
            startAll();
            state.ResumeTiming();
        }
        voices = decoded.engine->soundingVoices();
    }
    const double bufferSeconds =
        static_cast<double>(AudioEngine::kBufferFrames) / AudioEngine::kSampleRate;
    state.counters["voices"] = voices;
    state.counters["buffer_frames"] = AudioEngine::kBufferFrames;
    // Share of one core that mixing takes while the device plays.
    state.counters["core_percent"] =
        benchmark::Counter(bufferSeconds / 100.0, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
    state.counters["limited_frames"] = static_cast<double>(decoded.engine->limitedFrames());
}
BENCHMARK(BM_MixBufferAll96Sounding)->Unit(benchmark::kMicrosecond);

} // namespace

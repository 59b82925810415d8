// Figures for the sample bank and the mixer: loading the 96 players (split into
// reading the files, decoding them and setting the players up), the time from a
// chord request to its first sound, the cost of one mixed buffer with every
// player sounding, and the memory the decoded bank takes.
#include "fretboard/SampleBank.h"
#include "platform/audio/AudioEngine.h"
#include "platform/audio/DecodedSample.h"

#include <benchmark/benchmark.h>

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

// The whole first load of a screen: files read, decoded and players made.
void BM_BankFirstLoad(benchmark::State& state)
{
    const platform::Bundle bundle(bundleDirectory());
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto engine = std::make_shared<AudioEngine>();
        fretboard::SampleBank bank(engine);
        bank.loadForMainScreen(bundle);
        bytes = engine->decodedBytes();
        state.PauseTiming();
        bank = fretboard::SampleBank(engine);
        state.ResumeTiming();
    }
    state.counters["decoded_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BankFirstLoad)->Unit(benchmark::kMillisecond);

// Part of the first load: reading the 96 files.
void BM_BankReadFiles(benchmark::State& state)
{
    const auto paths = samplePaths();
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(platform::readWholeFile(path));
    state.counters["files"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_BankReadFiles)->Unit(benchmark::kMillisecond);

// Part of the first load: decoding the 96 files on one thread (the load
// spreads this over up to four).
void BM_BankDecodeOneThread(benchmark::State& state)
{
    std::vector<std::vector<unsigned char>> files;
    for (const auto& path : samplePaths())
        files.push_back(*platform::readWholeFile(path));
    for (auto _ : state)
        for (const auto& bytes : files)
            benchmark::DoNotOptimize(platform::decodeMp3(bytes));
}
BENCHMARK(BM_BankDecodeOneThread)->Unit(benchmark::kMillisecond);

// Part of the first load, and all of a reload: bundle look-ups and the 96
// players made and readied over samples already decoded.
void BM_BankSetUp(benchmark::State& state)
{
    const platform::Bundle bundle(bundleDirectory());
    auto engine = std::make_shared<AudioEngine>();
    fretboard::SampleBank bank(engine);
    bank.loadForMainScreen(bundle);
    for (auto _ : state)
        bank.loadForMainScreen(bundle);
}
BENCHMARK(BM_BankSetUp)->Unit(benchmark::kMillisecond);

// From the chord request to the first frame that is not silent, through the
// mixer as the device pulls it, counted in frames of output.
void BM_ChordToFirstSound(benchmark::State& state)
{
    auto engine = std::make_shared<AudioEngine>();
    fretboard::SampleBank bank(engine);
    bank.loadForGridScreen(platform::Bundle(bundleDirectory()));
    std::vector<float> buffer(AudioEngine::kBufferFrames * AudioEngine::kChannels);
    double framesUntilSound = 0;
    for (auto _ : state) {
        bank.playChord({0, 0, 1, 2, 2, 0});
        int frames = 0;
        bool heard = false;
        while (!heard && frames < AudioEngine::kSampleRate) {
            engine->render(buffer.data(), AudioEngine::kBufferFrames);
            for (int i = 0; i < AudioEngine::kBufferFrames && !heard; ++i, ++frames)
                heard = buffer[static_cast<std::size_t>(i) * AudioEngine::kChannels] != 0.0f;
        }
        framesUntilSound = frames;
    }
    state.counters["buffer_frames"] = AudioEngine::kBufferFrames;
    state.counters["frames_until_sound"] = framesUntilSound;
    state.counters["worst_latency_ms"] =
        1000.0 * (framesUntilSound - 1 + AudioEngine::kBufferFrames) / AudioEngine::kSampleRate;
}
BENCHMARK(BM_ChordToFirstSound)->Unit(benchmark::kMicrosecond);

// One buffer of the mix with all 96 players sounding.
void BM_MixBufferAll96Sounding(benchmark::State& state)
{
    auto engine = std::make_shared<AudioEngine>();
    fretboard::SampleBank bank(engine);
    bank.loadForGridScreen(platform::Bundle(bundleDirectory()));
    std::vector<float> buffer(AudioEngine::kBufferFrames * AudioEngine::kChannels);
    auto startAll = [&] {
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret < 16; ++fret)
                bank.playNote(bank.player(string, fret));
    };
    startAll();
    int voices = 0;
    for (auto _ : state) {
        engine->render(buffer.data(), AudioEngine::kBufferFrames);
        benchmark::DoNotOptimize(buffer.data());
        if (engine->soundingVoices() < 96) {
            state.PauseTiming();
            startAll();
            state.ResumeTiming();
        }
        voices = engine->soundingVoices();
    }
    state.counters["voices"] = voices;
    state.counters["buffer_frames"] = AudioEngine::kBufferFrames;
    state.counters["buffer_ms"] = 1000.0 * AudioEngine::kBufferFrames / AudioEngine::kSampleRate;
}
BENCHMARK(BM_MixBufferAll96Sounding)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

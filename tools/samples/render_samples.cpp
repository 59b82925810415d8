// Renders one recorded-like note per string and fret of a guitar in standard
// tuning (6 strings by 16 positions: the open string and frets 1 to 15) from a
// General MIDI SoundFont, and encodes each to an MP3 file of the bundle.
//
//   render_samples <soundfont.sf2> <bundle directory>
//
// Each note: nylon-string guitar (program 24), 44.1 kHz mono, 2.5 s with a
// short fade-out, no reverb or chorus. The MP3 carries a LAME info tag, so a
// gapless decoder gives back exactly the rendered frames. Files are written
// under a temporary name and renamed, so a failed run leaves no half file.
#include "Mp3Encoder.h"
#include "catalogue/FretPattern.h"
#include "fretboard/model/Position.h"
#include "tools/ParallelJobs.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr int kFrames = kSampleRate * 5 / 2;        // 2.5 s
constexpr int kNoteOffFrame = kSampleRate * 2;      // the string is damped after 2 s
constexpr int kFadeFrames = kSampleRate * 15 / 100; // the last 0.15 s fade to silence
constexpr int kProgram = 24;                        // General MIDI: acoustic guitar (nylon)
constexpr int kVelocity = 100;
struct Job {
    int string;
    int fret;
};

// One synthesiser renders every note in turn; the encoding is what runs in parallel.
class Renderer {
public:
    explicit Renderer(const std::string& soundFont)
    {
        settings_ = new_fluid_settings();
        fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
        fluid_settings_setint(settings_, "synth.reverb.active", 0);
        fluid_settings_setint(settings_, "synth.chorus.active", 0);
        fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
        // Load only the samples of the one preset used, not the whole font.
        fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
        fluid_settings_setnum(settings_, "synth.gain", 1.0);
        synth_ = new_fluid_synth(settings_);
        if (!synth_ || fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED ||
            fluid_synth_program_change(synth_, 0, kProgram) == FLUID_FAILED)
            ok_ = false;
    }
    ~Renderer()
    {
        if (synth_)
            delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    bool ok() const { return ok_; }

    // The note's mono frames, scaled to +/-1 full scale.
    std::vector<float> render(int key)
    {
        std::vector<float> left(kFrames), right(kFrames);
        fluid_synth_noteon(synth_, 0, key, kVelocity);
        fluid_synth_write_float(synth_, kNoteOffFrame, left.data(), 0, 1, right.data(), 0, 1);
        fluid_synth_noteoff(synth_, 0, key);
        fluid_synth_write_float(synth_, kFrames - kNoteOffFrame, left.data() + kNoteOffFrame, 0, 1,
                                right.data() + kNoteOffFrame, 0, 1);
        fluid_synth_all_sounds_off(synth_, 0);

        std::vector<float> mono(kFrames);
        for (int i = 0; i < kFrames; ++i) {
            float gain = 1.0f;
            if (i >= kFrames - kFadeFrames)
                gain = static_cast<float>(kFrames - 1 - i) / kFadeFrames;
            mono[i] = std::clamp(0.5f * (left[i] + right[i]) * gain, -1.0f, 1.0f);
        }
        return mono;
    }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    bool ok_ = true;
};

bool writeFileAtomically(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!file.good())
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <soundfont.sf2> <bundle directory>\n", argv[0]);
        return 2;
    }
    const std::string soundFont = argv[1];
    const std::filesystem::path directory = argv[2];
    if (!std::filesystem::is_regular_file(soundFont)) {
        std::fprintf(stderr, "render_samples: no SoundFont at %s\n", soundFont.c_str());
        return 1;
    }
    std::filesystem::create_directories(directory);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);

    std::vector<Job> jobs;
    for (int string = fretboard::kLowEString; string >= fretboard::kHighEString; --string)
        for (int fret = fretboard::kOpenString; fret <= fretboard::kLastFret; ++fret)
            jobs.push_back({string, fret});

    Renderer renderer(soundFont);
    if (!renderer.ok()) {
        std::fprintf(stderr, "render_samples: cannot load program %d from %s\n", kProgram,
                     soundFont.c_str());
        return 1;
    }
    std::vector<std::vector<float>> notes;
    notes.reserve(jobs.size());
    for (const Job& job : jobs)
        notes.push_back(renderer.render(
            catalogue::kOpenStringMidi[static_cast<std::size_t>(job.string - 1)] + job.fret));

    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    auto encodeAndWrite = [&] {
        std::vector<unsigned char> mp3;
        for (size_t i = next++; i < jobs.size(); i = next++) {
            const std::string name = fretboard::sampleResourceName({jobs[i].string, jobs[i].fret});
            const std::filesystem::path path = directory / (name + ".mp3");
            if (!samples::encodeMp3(notes[i], kSampleRate, mp3) ||
                !writeFileAtomically(path, mp3)) {
                std::lock_guard lock(errorMutex);
                std::fprintf(stderr, "render_samples: cannot encode or write %s\n",
                             path.string().c_str());
                failed = true;
            }
        }
    };

    auto log = [](const std::string& line) {
        std::fprintf(stderr, "render_samples: %s\n", line.c_str());
    };
    const int threadCount =
        std::min(tools::parallelJobs(std::getenv("CMAKE_BUILD_PARALLEL_LEVEL"), log), 6);
    std::vector<std::thread> threads;
    threads.reserve(std::size_t(threadCount));
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back(encodeAndWrite);
    for (auto& thread : threads)
        thread.join();
    return failed ? 1 : 0;
}

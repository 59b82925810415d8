#pragma once
// Test helpers over the samples that the build renders into the bundle.
#include "platform/audio/AudioEngine.h"
#include "platform/audio/DecodedSample.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace audiotest {

inline constexpr int kSampleFrames = 110250; // 2.5 s at 44.1 kHz

// The bundle that the build lays out beside the test executable.
inline std::filesystem::path builtBundle()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "bundle";
}

inline std::filesystem::path builtSample(const std::string& name)
{
    return builtBundle() / (name + ".mp3");
}

// A temporary bundle holding links to the built samples, less those named in
// missing, and with a file of text in place of those named in undecodable.
class TemporaryBundle {
public:
    explicit TemporaryBundle(const std::string& tag, const std::set<std::string>& missing = {},
                             const std::set<std::string>& undecodable = {})
        : directory_(std::filesystem::temp_directory_path() /
                     ("cifrario-audio-" + tag + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
        for (const auto& entry : std::filesystem::directory_iterator(builtBundle())) {
            if (entry.path().extension() != ".mp3")
                continue;
            const std::string name = entry.path().stem().string();
            if (missing.count(name))
                continue;
            if (undecodable.count(name))
                writeText(name, "this is no sound\n");
            else
                std::filesystem::create_symlink(entry.path(), directory_ / entry.path().filename());
        }
    }
    ~TemporaryBundle() { std::filesystem::remove_all(directory_); }

    std::string directory() const { return directory_.string(); }
    void remove(const std::string& name) { std::filesystem::remove(directory_ / (name + ".mp3")); }
    void writeText(const std::string& name, const std::string& text)
    {
        writeBytes(name, std::vector<unsigned char>(text.begin(), text.end()));
    }
    // The sample's file, in place of the link to the built one.
    std::string writeBytes(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        const auto path = directory_ / (name + ".mp3");
        std::filesystem::remove(path);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

private:
    std::filesystem::path directory_;
};

// The decoded frames of a built sample, through the decoder alone.
inline std::vector<std::int16_t> decodedFrames(const std::string& name)
{
    const auto bytes = platform::readSampleFile(builtSample(name).string());
    EXPECT_TRUE(bytes) << name;
    if (!bytes)
        return {};
    const auto sample = platform::decodeMp3(*bytes);
    EXPECT_TRUE(sample) << name;
    return sample ? (*sample)->frames : std::vector<std::int16_t>{};
}

// What the mixer should play for these samples started together at frame 0,
// where no limiting is needed: their sum at the mix's scale, for frames
// frames.
inline std::vector<float> expectedMix(const std::vector<std::vector<std::int16_t>>& samples,
                                      int frames)
{
    std::vector<float> sum(static_cast<size_t>(frames), 0.0f);
    for (const auto& pcm : samples)
        for (size_t i = 0; i < pcm.size() && i < sum.size(); ++i)
            sum[i] += static_cast<float>(pcm[i]);
    for (auto& value : sum)
        value *= platform::AudioEngine::kSampleScale;
    return sum;
}

inline std::vector<float> expectedMix(const std::vector<std::string>& names, int frames)
{
    std::vector<std::vector<std::int16_t>> samples;
    for (const auto& name : names)
        samples.push_back(decodedFrames(name));
    return expectedMix(samples, frames);
}

// Pulls frames from the engine buffer by buffer, as the device would, and
// gives back the left channel (the right one is checked to be the same).
inline std::vector<float> renderMono(platform::AudioEngine& engine, int frames)
{
    std::vector<float> mono;
    std::vector<float> buffer(platform::AudioEngine::kBufferFrames *
                              platform::AudioEngine::kChannels);
    int channelsDiffer = 0;
    while (static_cast<int>(mono.size()) < frames) {
        engine.render(buffer.data(), platform::AudioEngine::kBufferFrames);
        for (int i = 0; i < platform::AudioEngine::kBufferFrames; ++i) {
            channelsDiffer += buffer[2 * i] != buffer[2 * i + 1];
            mono.push_back(buffer[2 * i]);
        }
    }
    EXPECT_EQ(channelsDiffer, 0);
    mono.resize(static_cast<size_t>(frames));
    return mono;
}

} // namespace audiotest

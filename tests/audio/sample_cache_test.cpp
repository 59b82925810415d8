// The engine's decoded samples: a file changed on disk is decoded again, and
// the sample it replaces is freed once no player holds it and no voice of the
// mix can read it.
#include "SampleFixture.h"

#include "platform/audio/AudioPlayer.h"

#include <chrono>

using platform::AudioEngine;
using platform::AudioPlayer;

namespace {

constexpr std::size_t kSampleBytes = audiotest::kSampleFrames * sizeof(std::int16_t);

// One sample file whose content can be swapped for another built sample.
class ChangingFile {
public:
    ChangingFile()
        : path_(std::filesystem::temp_directory_path() /
                ("cifrario-changing-" + std::to_string(::getpid()) + ".mp3"))
    {
        become("C5");
    }
    ~ChangingFile() { std::filesystem::remove(path_); }
    // Copies the built sample over the file, with a new modification time.
    void become(const std::string& name)
    {
        std::filesystem::copy_file(audiotest::builtSample(name), path_,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::last_write_time(path_, std::filesystem::file_time_type::clock::now() +
                                                    std::chrono::seconds(++changes_));
    }
    platform::FileUrl url() const { return {path_.string()}; }

private:
    std::filesystem::path path_;
    int changes_ = 0;
};

} // namespace

TEST(SampleCache, ARetiredSampleLivesWhileAVoiceOrAWaitingCommandCanReadIt)
{
    ChangingFile file;
    auto engine = std::make_shared<AudioEngine>();
    auto old = AudioPlayer::create(file.url(), engine).value();
    old->play();
    audiotest::renderMono(*engine, 256);

    file.become("C6");
    auto fresh = AudioPlayer::create(file.url(), engine).value();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(engine->decodedBytes(), 2 * kSampleBytes);
    // Its player gone, the old sample still sounds until the stop reaches the mix.
    old.reset();
    EXPECT_EQ(engine->decodedBytes(), 2 * kSampleBytes);
    audiotest::renderMono(*engine, 256);
    EXPECT_EQ(engine->decodedBytes(), kSampleBytes);

    // A start not yet taken by the mix keeps the sample too.
    auto waiting = AudioPlayer::create(file.url(), engine).value();
    waiting->play();
    file.become("C5");
    fresh = AudioPlayer::create(file.url(), engine).value();
    waiting.reset();
    EXPECT_EQ(engine->decodedBytes(), 2 * kSampleBytes);
    const auto heard = audiotest::renderMono(*engine, 256);
    EXPECT_EQ(heard, std::vector<float>(256, 0.0f)); // started and stopped in one go
    EXPECT_EQ(engine->decodedBytes(), kSampleBytes);
}

TEST(SampleCache, DecodingAChangingFileAgainAndAgainHoldsOneSample)
{
    ChangingFile file;
    auto engine = std::make_shared<AudioEngine>();
    for (int round = 0; round < 40; ++round) {
        file.become(round % 2 ? "C5" : "C6");
        auto player = AudioPlayer::create(file.url(), engine).value();
        player->play();
        audiotest::renderMono(*engine, 128);
    }
    audiotest::renderMono(*engine, audiotest::kSampleFrames);
    EXPECT_EQ(engine->soundingVoices(), 0);
    EXPECT_EQ(engine->decodedBytes(), kSampleBytes);
}

TEST(SampleCache, BackgroundDecodingSkipsFilesAlreadyDecodedAndTakesChangedOnes)
{
    ChangingFile file;
    auto engine = std::make_shared<AudioEngine>();
    const auto first = *engine->sample(file.url().path);
    engine->decodeInBackground({file.url().path});
    engine->waitForBackgroundDecoding();
    EXPECT_EQ(*engine->sample(file.url().path), first);

    file.become("C6");
    engine->decodeInBackground({file.url().path});
    engine->waitForBackgroundDecoding();
    const auto changed = *engine->sample(file.url().path);
    EXPECT_NE(changed, first);
    EXPECT_EQ(changed->frames, audiotest::decodedFrames("C6"));
}

#include "SampleFixture.h"

#include "platform/FileUrl.h"
#include "platform/Log.h"
#include "platform/audio/AudioPlayer.h"
#include "platform/audio/AudioSession.h"

#include <gtest/gtest.h>

using platform::AudioEngine;
using platform::AudioPlayer;

TEST(FileUrl, MadeFromNoPathIsAnError)
{
    EXPECT_EQ(platform::fileURLWithPath(std::string("/x/C6.mp3"))->path, "/x/C6.mp3");
    const auto none = platform::fileURLWithPath(std::nullopt);
    EXPECT_FALSE(none);
    EXPECT_FALSE(none.error().empty());
}

TEST(AudioPlayer, IsNothingForAFileThatCannotBeOpenedOrDecoded)
{
    audiotest::TemporaryBundle files("player", {}, {"C6"});
    auto engine = std::make_shared<AudioEngine>();
    const auto missing = AudioPlayer::create({files.directory() + "/none.mp3"}, engine);
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("none.mp3"), std::string::npos);
    const auto undecodable = AudioPlayer::create({files.directory() + "/C6.mp3"}, engine);
    ASSERT_FALSE(undecodable);
    EXPECT_NE(undecodable.error().find("not a decodable MP3"), std::string::npos);
}

TEST(AudioPlayer, TimeFollowsTheMixAndReturnsToZeroAtTheEnd)
{
    auto engine = std::make_shared<AudioEngine>();
    auto player = AudioPlayer::create({audiotest::builtSample("C5").string()}, engine).value();
    ASSERT_TRUE(player);
    EXPECT_DOUBLE_EQ(player->duration(), 2.5);
    EXPECT_TRUE(player->prepareToPlay());
    EXPECT_FALSE(player->isPlaying());
    player->setCurrentTime(1.0);
    EXPECT_DOUBLE_EQ(player->currentTime(), 1.0);
    player->setCurrentTime(0.0);

    EXPECT_TRUE(player->play());
    audiotest::renderMono(*engine, 4410);
    EXPECT_TRUE(player->isPlaying());
    EXPECT_NEAR(player->currentTime(), 0.1, 256.0 / 44100);
    EXPECT_TRUE(player->play()); // already sounding: goes on, no second voice
    audiotest::renderMono(*engine, 256);
    EXPECT_EQ(engine->soundingVoices(), 1);

    audiotest::renderMono(*engine, audiotest::kSampleFrames);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(player->currentTime(), 0.0);
    EXPECT_EQ(engine->soundingVoices(), 0);
}

TEST(AudioPlayer, ADeferredPlayerTakesItsSoundWhenFirstPlayed)
{
    auto engine = std::make_shared<AudioEngine>();
    auto player = AudioPlayer::createDeferred({audiotest::builtSample("C5").string()}, engine);
    auto missing = AudioPlayer::createDeferred({"/no/such/C5.mp3"}, engine);
    EXPECT_EQ(engine->decodedBytes(), 0u);
    EXPECT_TRUE(player->play());
    EXPECT_EQ(audiotest::renderMono(*engine, 1024), audiotest::expectedMix({"C5"}, 1024));
    EXPECT_FALSE(missing->play());
    EXPECT_FALSE(missing->hasSound());
    EXPECT_EQ(missing->duration(), 0.0);
}

TEST(AudioPlayer, DestroyingASoundingPlayerSilencesIt)
{
    auto engine = std::make_shared<AudioEngine>();
    auto player = AudioPlayer::create({audiotest::builtSample("C5").string()}, engine).value();
    player->play();
    audiotest::renderMono(*engine, 256);
    EXPECT_EQ(engine->soundingVoices(), 1);
    player.reset();
    const auto heard = audiotest::renderMono(*engine, 256);
    EXPECT_EQ(engine->soundingVoices(), 0);
    EXPECT_EQ(heard, std::vector<float>(256, 0.0f));
}

TEST(AudioSession, ActivationFallsBackToTheNullOutputWithoutADevice)
{
    auto engine = std::make_shared<AudioEngine>();
    platform::AudioSession session(engine);
    platform::LogCapture log;
    EXPECT_TRUE(session.setCategory(platform::AudioSession::Category::Playback));
    const auto active = session.setActive(true);
    if (engine->hasDeviceOutput()) {
        EXPECT_TRUE(active); // a machine with a sound card
    } else if (active) {
        EXPECT_EQ(log.lines(), std::vector<std::string>{
                                   "No audio output device: sound goes to the null output"});
        // The null output consumes nothing by itself; the mix is still there to pull.
        auto player = AudioPlayer::create({audiotest::builtSample("C6").string()}, engine).value();
        player->play();
        EXPECT_EQ(audiotest::renderMono(*engine, 512), audiotest::expectedMix({"C6"}, 512));
    } else {
        EXPECT_FALSE(active.error().empty());
    }
    EXPECT_TRUE(session.setActive(false));
    EXPECT_FALSE(engine->hasDeviceOutput());
}

namespace {
class FailingSession : public platform::AudioSession {
public:
    platform::Result<void> setCategory(Category) override
    {
        return platform::failure("category refused");
    }
    platform::Result<void> setActive(bool) override { return platform::failure("output busy"); }
};
} // namespace

TEST(AudioSession, SharedInstanceCanBeReplacedByOneWhoseCallsFail)
{
    auto original = platform::AudioSession::setSharedInstance(std::make_unique<FailingSession>());
    auto& session = platform::AudioSession::sharedInstance();
    const auto category = session.setCategory(platform::AudioSession::Category::Playback);
    EXPECT_FALSE(category);
    EXPECT_EQ(category.error(), "category refused");
    const auto activation = session.setActive(true);
    EXPECT_FALSE(activation);
    EXPECT_EQ(activation.error(), "output busy");
    platform::AudioSession::setSharedInstance(std::move(original));
}

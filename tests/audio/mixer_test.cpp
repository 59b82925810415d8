#include "SampleFixture.h"

#include "fretboard/SampleBank.h"
#include "fretboard/model/FretLabel.h"

#include <gtest/gtest.h>

#include <thread>

using audiotest::expectedMix;
using audiotest::kSampleFrames;
using audiotest::renderMono;
using fretboard::SampleBank;
using platform::AudioEngine;

namespace {

struct LoadedBank {
    std::shared_ptr<AudioEngine> engine = std::make_shared<AudioEngine>();
    SampleBank bank{engine};
    LoadedBank() { bank.loadForGridScreen(platform::Bundle(audiotest::builtBundle().string())); }
};

const catalogue::FretPattern kCMajor{catalogue::kMuted, 1, 0, 2, 3, catalogue::kMuted};
const std::vector<std::string> kCMajorSamples{"C2-001", "C3", "C4-002", "C5-003"};

} // namespace

TEST(Mixer, DecoderGivesBackExactlyTheEncodedFrames)
{
    EXPECT_EQ(audiotest::decodedFrames("C6").size(), static_cast<size_t>(kSampleFrames));
    EXPECT_EQ(audiotest::decodedFrames("C1-015").size(), static_cast<size_t>(kSampleFrames));
}

TEST(Mixer, ChordSoundsExactlyTheSamplesOfItsStrings)
{
    LoadedBank loaded;
    loaded.bank.playChord(kCMajor);
    const auto heard = renderMono(*loaded.engine, kSampleFrames + 1000);
    const auto expected = expectedMix(kCMajorSamples, kSampleFrames + 1000);
    ASSERT_EQ(heard.size(), expected.size());
    int differing = 0;
    for (size_t i = 0; i < heard.size(); ++i)
        differing += heard[i] != expected[i];
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(loaded.engine->soundingVoices(), 0);
}

TEST(Mixer, UnplayedAndUnknownFretTextsStaySilent)
{
    LoadedBank loaded;
    loaded.bank.playChord(catalogue::FretPattern{});
    loaded.bank.playChord(fretboard::patternOfTexts({"01", " 1", "16", "", "-1", "x"}));
    renderMono(*loaded.engine, AudioEngine::kBufferFrames);
    EXPECT_EQ(loaded.engine->soundingVoices(), 0);

    loaded.bank.playChord(
        *catalogue::FretPattern::parse({"1", " ", " ", " ", " ", " "})); // fret 1, never 10 to 15
    const auto heard = renderMono(*loaded.engine, 4096);
    EXPECT_EQ(heard, expectedMix({"C1-001"}, 4096));
}

TEST(Mixer, ReplayRestartsNotesInsteadOfDoublingThem)
{
    LoadedBank loaded;
    loaded.bank.playChord(kCMajor);
    renderMono(*loaded.engine, 10 * AudioEngine::kBufferFrames);
    loaded.bank.playChord(kCMajor);
    EXPECT_EQ(renderMono(*loaded.engine, 8192), expectedMix(kCMajorSamples, 8192));
    EXPECT_EQ(loaded.engine->soundingVoices(), 4);

    // Another fret on string 5 sounds beside the earlier note; nothing is muted.
    loaded.bank.playChord(*catalogue::FretPattern::parse({" ", " ", " ", " ", "2", " "}));
    renderMono(*loaded.engine, AudioEngine::kBufferFrames);
    EXPECT_EQ(loaded.engine->soundingVoices(), 5);
}

TEST(Mixer, BatchHoldsStartsBackUntilItEnds)
{
    LoadedBank loaded;
    {
        AudioEngine::Batch batch(*loaded.engine);
        loaded.bank.playNote(loaded.bank.player(6, 0));
        loaded.bank.playNote(loaded.bank.player(5, 0));
        renderMono(*loaded.engine, AudioEngine::kBufferFrames);
        EXPECT_EQ(loaded.engine->soundingVoices(), 0);
    }
    renderMono(*loaded.engine, AudioEngine::kBufferFrames);
    EXPECT_EQ(loaded.engine->soundingVoices(), 2);
}

// The device pulls the mix on its own thread while the main thread plays: the
// six notes of a chord must all begin in the same buffer.
TEST(Mixer, SixNotesOfAChordStartInTheSameBuffer)
{
    LoadedBank loaded;
    constexpr int kFrames = AudioEngine::kBufferFrames;
    constexpr int kBuffersAfterPlay = 1000;
    std::vector<float> recorded;
    std::atomic<bool> pulling{false}, played{false};
    std::thread device([&] {
        std::vector<float> buffer(kFrames * AudioEngine::kChannels);
        int left = kBuffersAfterPlay;
        while (left > 0) {
            if (played)
                --left;
            loaded.engine->render(buffer.data(), kFrames);
            recorded.insert(recorded.end(), buffer.begin(), buffer.end());
            pulling = true;
        }
    });
    while (!pulling)
        std::this_thread::yield();
    loaded.bank.playChord({0, 0, 1, 2, 2, 0}); // E major: all six strings
    played = true;
    device.join();

    size_t first = 0;
    while (first < recorded.size() && recorded[first] == 0.0f)
        first += AudioEngine::kChannels;
    ASSERT_LT(first, recorded.size()) << "the chord was not heard";
    const size_t firstFrame = first / AudioEngine::kChannels;
    EXPECT_EQ(firstFrame % kFrames, 0u);
    const int compared = std::min<int>(
        kSampleFrames, static_cast<int>(recorded.size() / AudioEngine::kChannels - firstFrame));
    const auto expected = expectedMix({"C1", "C2", "C3-001", "C4-002", "C5-002", "C6"}, compared);
    int differing = 0;
    for (int i = 0; i < compared; ++i)
        differing += recorded[(firstFrame + static_cast<size_t>(i)) * AudioEngine::kChannels] !=
                     expected[static_cast<size_t>(i)];
    EXPECT_EQ(differing, 0);
}

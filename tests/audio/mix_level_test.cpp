// The level of the mix: every chord of the catalogue struck alone comes out as
// the scaled sum of its samples, below full scale, never clamped; chords
// struck over ringing chords are limited smoothly.
#include "SampleFixture.h"

#include "fretboard/SampleBank.h"
#include "platform/audio/MixLimiter.h"
#include "support/BundledCatalogue.h"

#include <cmath>
#include <set>

using catalogue::FretPattern;
using platform::AudioEngine;
using platform::MixLimiter;

namespace {

// The distinct fret patterns of the catalogue, in catalogue order.
std::vector<FretPattern> catalogueFingerings()
{
    const auto records = testsupport::loadBundledCatalogue();
    std::set<FretPattern> seen;
    std::vector<FretPattern> fingerings;
    for (const auto& record : *records) {
        const auto pattern = FretPattern::of(*record);
        EXPECT_TRUE(pattern) << record->IDAcorde;
        if (pattern && seen.insert(*pattern).second)
            fingerings.push_back(*pattern);
    }
    return fingerings;
}

struct DecodedBank {
    std::shared_ptr<AudioEngine> engine = std::make_shared<AudioEngine>();
    fretboard::SampleBank bank{engine};
    std::vector<std::vector<std::int16_t>> frames; // by string and fret

    DecodedBank()
    {
        bank.loadForGridScreen(platform::Bundle(audiotest::builtBundle().string()));
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret < 16; ++fret)
                frames.push_back(
                    audiotest::decodedFrames(fretboard::sampleResourceName({string, fret})));
    }
    std::vector<std::vector<std::int16_t>> samplesOf(const FretPattern& pattern) const
    {
        std::vector<std::vector<std::int16_t>> samples;
        for (int string = 1; string <= 6; ++string)
            if (const int fret = pattern.fret(string); fret != catalogue::kMuted)
                samples.push_back(frames[static_cast<std::size_t>(string - 1) * 16 +
                                         static_cast<std::size_t>(fret)]);
        return samples;
    }
};

float peakOf(const std::vector<float>& mix)
{
    float peak = 0.0f;
    for (float value : mix)
        peak = std::max(peak, std::abs(value));
    return peak;
}

} // namespace

TEST(MixLevel, EveryCatalogueChordStruckAloneIsTheScaledSumOfItsSamples)
{
    const auto fingerings = catalogueFingerings();
    ASSERT_GT(fingerings.size(), 3000u);
    DecodedBank decoded;
    float loudest = 0.0f;
    std::string loudestPattern;
    int differing = 0;
    for (const auto& pattern : fingerings) {
        decoded.bank.playChord(pattern);
        const auto heard = audiotest::renderMono(*decoded.engine, audiotest::kSampleFrames);
        differing +=
            heard != audiotest::expectedMix(decoded.samplesOf(pattern), audiotest::kSampleFrames);
        if (const float peak = peakOf(heard); peak > loudest) {
            loudest = peak;
            loudestPattern = pattern.format();
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(decoded.engine->limitedFrames(), 0u);
    EXPECT_EQ(decoded.engine->clippedFrames(), 0u);
    EXPECT_LE(loudest, MixLimiter::kCeiling);
    RecordProperty("loudest_peak", std::to_string(loudest));
    RecordProperty("loudest_pattern", loudestPattern);
    std::printf("loudest catalogue chord: %s peaks at %.4f (%.4f before the mix gain)\n",
                loudestPattern.c_str(), static_cast<double>(loudest),
                static_cast<double>(loudest / AudioEngine::kMixGain));
}

TEST(MixLevel, ChordsStruckOverRingingChordsAreLimitedNotClipped)
{
    DecodedBank decoded;
    // Loud chords of the catalogue, each struck 20 ms after the last while
    // all still ring.
    const std::vector<FretPattern> loud{
        {{11, 12, 12, 12, 8, 8}}, {{0, 0, 1, 2, 2, 0}}, {{3, 3, 0, 0, 2, 3}}, {{5, 5, 6, 7, 7, 5}}};
    float peak = 0.0f;
    for (const auto& pattern : loud) {
        decoded.bank.playChord(pattern);
        peak = std::max(
            peak, peakOf(audiotest::renderMono(*decoded.engine, 7 * AudioEngine::kBufferFrames)));
    }
    peak = std::max(peak, peakOf(audiotest::renderMono(*decoded.engine, audiotest::kSampleFrames)));
    EXPECT_GT(decoded.engine->limitedFrames(), 0u);
    EXPECT_EQ(decoded.engine->clippedFrames(), 0u);
    EXPECT_LE(peak, MixLimiter::kCeiling);
}

TEST(MixLimiter, LeavesQuietMixAloneAndRidesOverPeaksSmoothly)
{
    // A steady tone at half scale, then a burst a quarter past full scale,
    // from the middle of a buffer for three and a half buffers, then the tone
    // again.
    auto tone = [](int frame, float level) {
        return level * (0.75f + 0.25f * std::sin(0.05f * static_cast<float>(frame)));
    };
    MixLimiter limiter;
    std::vector<float> gains;
    float peak = 0.0f;
    int untouched = 0, quietFrames = 0;
    for (int buffer = 0; buffer < 400; ++buffer) {
        std::array<float, MixLimiter::kMaxFrames> mix{};
        std::array<float, MixLimiter::kMaxFrames> input{};
        for (int i = 0; i < MixLimiter::kMaxFrames; ++i) {
            const int frame = buffer * MixLimiter::kMaxFrames + i;
            const bool burst = frame >= 10 * 128 + 64 && frame < 14 * 128;
            input[static_cast<size_t>(i)] = mix[static_cast<size_t>(i)] =
                tone(frame, burst ? 1.25f : 0.5f);
        }
        const bool quiet = (buffer < 10 || buffer >= 14) && limiter.gain() == 1.0f;
        limiter.process(mix.data(), MixLimiter::kMaxFrames);
        for (size_t i = 0; i < mix.size(); ++i) {
            peak = std::max(peak, std::abs(mix[i]));
            gains.push_back(mix[i] / input[i]);
            if (quiet) {
                ++quietFrames;
                untouched += mix[i] == input[i];
            }
        }
    }
    EXPECT_LE(peak, MixLimiter::kCeiling);
    EXPECT_EQ(untouched, quietFrames); // bit for bit, before the burst and once the gain is back
    EXPECT_EQ(limiter.gain(), 1.0f);   // back within the second that followed
    float largestFall = 0.0f, largestRise = 0.0f;
    for (size_t i = 1; i < gains.size(); ++i) {
        largestFall = std::max(largestFall, gains[i - 1] - gains[i]);
        largestRise = std::max(largestRise, gains[i] - gains[i - 1]);
    }
    EXPECT_LE(largestFall, MixLimiter::kAttackStep * 1.001f);
    EXPECT_LE(largestRise, 0.001f);
    EXPECT_LT(*std::min_element(gains.begin(), gains.end()), 0.8f); // it did act
}

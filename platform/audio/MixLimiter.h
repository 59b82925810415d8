#pragma once
// The limiter at the end of the mix: a gain that falls smoothly ahead of a
// peak that would pass the ceiling and comes back slowly after it, so that
// the mix never needs clipping. Where the mix stays below the ceiling and the
// gain has come back, it leaves every value exactly as it is.
//
// It sees the mix one chunk at a time and looks ahead within the chunk: the
// gain starts falling before a peak later in the same chunk, by at most
// kAttackStep per frame. Only a peak at the very start of a chunk, when the
// notes behind it began in that chunk, can make it fall at once.
//
// Consumer thread of the audio engine only: no allocation, lock or system
// call.
#include <array>

namespace platform {

class MixLimiter {
public:
    // The highest value the mix may reach: -0.18 dB below full scale.
    static constexpr float kCeiling = 0.98f;
    // The longest chunk process() takes.
    static constexpr int kMaxFrames = 128;
    // The most the gain falls from one frame to the next, when a peak ahead
    // in the chunk leaves it the time: 0.2 takes 40 frames (0.9 ms).
    static constexpr float kAttackStep = 0.005f;
    // Per frame, the gain comes back this share of the way to 1: a time
    // constant of 100 ms at 44.1 kHz.
    static constexpr float kReleaseShare = 1.0f / 4410.0f;

    // Limits frames values of the mix in place (frames <= kMaxFrames) and
    // returns how many of them had a gain below 1.
    int process(float* mix, int frames);
    // The gain at the end of the last chunk.
    float gain() const { return 1.0f - reduction_; }

private:
    // How far the gain is below 1.
    float reduction_ = 0.0f;
    // Per frame of the chunk: the highest gain that keeps it, and the frames
    // after it, under the ceiling.
    std::array<float, kMaxFrames> allowed_{};
};

} // namespace platform

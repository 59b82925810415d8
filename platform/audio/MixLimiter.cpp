#include "platform/audio/MixLimiter.h"

#include <algorithm>
#include <cmath>

namespace platform {

int MixLimiter::process(float* mix, int frames)
{
    float peak = 0.0f;
    for (int i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(mix[i]));
    if (reduction_ == 0.0f && peak <= kCeiling)
        return 0;

    for (int i = 0; i < frames; ++i) {
        const float level = std::abs(mix[i]);
        // A hair under the exact ratio, so that rounding cannot take the
        // limited value past the ceiling.
        allowed_[static_cast<std::size_t>(i)] =
            level > kCeiling ? 0.99999f * kCeiling / level : 1.0f;
    }
    // Backwards: each frame allows at most a step more than the next one, so
    // the gain is already on its way down when a peak arrives.
    for (int i = frames - 2; i >= 0; --i) {
        auto& allowed = allowed_[static_cast<std::size_t>(i)];
        allowed = std::min(allowed, allowed_[static_cast<std::size_t>(i) + 1] + kAttackStep);
    }
    int limited = 0;
    for (int i = 0; i < frames; ++i) {
        // The reduction, not the gain, decays: so it reaches exactly 0
        // rather than leaving the gain to creep towards 1 by rounding steps.
        reduction_ *= 1.0f - kReleaseShare;
        if (reduction_ < 1e-4f)
            reduction_ = 0.0f;
        const float allowed = allowed_[static_cast<std::size_t>(i)];
        reduction_ = std::max(reduction_, 1.0f - allowed);
        const float gain = std::min(1.0f - reduction_, allowed);
        mix[i] *= gain;
        limited += gain < 1.0f;
    }
    return limited;
}

} // namespace platform

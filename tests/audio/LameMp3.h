#pragma once
// MP3 streams as an ordinary encoder makes them, at any sample rate it takes:
// the bundle's own encoder on a test tone.
#include "tools/samples/Mp3Encoder.h"

#include <cmath>
#include <vector>

namespace audiotest {

// A 440 Hz tone of the given number of frames, encoded at sampleRate; empty
// when the encoder refuses.
inline std::vector<unsigned char> lameMp3(int sampleRate, int frames)
{
    std::vector<float> tone(static_cast<size_t>(frames));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(
            0.25 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / sampleRate));
    std::vector<unsigned char> out;
    if (!samples::encodeMp3(tone, sampleRate, out))
        out.clear();
    return out;
}

} // namespace audiotest

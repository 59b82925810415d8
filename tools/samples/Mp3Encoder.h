#pragma once
// Mono MP3 encoding with LAME, as the bundle's samples are made.
#include <vector>

namespace samples {

// The MP3 bytes of the mono frames (-1 to 1) at the sample rate, 96 kbit/s,
// with the LAME info tag in the first frame; false when the encoder refuses.
bool encodeMp3(const std::vector<float>& frames, int sampleRate, std::vector<unsigned char>& out);

} // namespace samples

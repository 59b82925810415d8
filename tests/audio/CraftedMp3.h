#pragma once
// MP3 streams made by hand, for the decoder's bounds: MPEG-1 Layer III mono
// frames whose side information is all zero, so each decodes to 1,152 frames
// of silence, and an optional info tag in the first frame claiming any number
// of frames.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace audiotest {

struct CraftedStream {
    int sampleRate = 44100;      // 44100, 48000 or 32000
    int kilobitsPerSecond = 128; // 32 or 128
    int frames = 5;
    // When set, the first frame carries an "Info" tag claiming this many frames.
    std::uint32_t claimedFrames = 0;
};

inline std::vector<unsigned char> craftedMp3(const CraftedStream& stream)
{
    const unsigned char rateIndex = stream.sampleRate == 44100   ? 0
                                    : stream.sampleRate == 48000 ? 1
                                                                 : 2;
    const unsigned char bitrateIndex = stream.kilobitsPerSecond == 32 ? 1 : 9;
    const int frameBytes = 144 * stream.kilobitsPerSecond * 1000 / stream.sampleRate;
    std::vector<unsigned char> bytes;
    for (int f = 0; f < stream.frames; ++f) {
        std::vector<unsigned char> frame(static_cast<size_t>(frameBytes), 0);
        frame[0] = 0xFF;
        frame[1] = 0xFB; // MPEG-1, Layer III, no CRC
        frame[2] = static_cast<unsigned char>(bitrateIndex << 4 | rateIndex << 2);
        frame[3] = 0xC4; // mono, original
        if (f == 0 && stream.claimedFrames > 0) {
            // After the 4-byte header and 17 bytes of mono side information.
            std::memcpy(&frame[21], "Info", 4);
            frame[28] = 1; // flags: the frame count is present
            for (int i = 0; i < 4; ++i)
                frame[29 + static_cast<size_t>(i)] =
                    static_cast<unsigned char>(stream.claimedFrames >> (24 - 8 * i));
        }
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

} // namespace audiotest

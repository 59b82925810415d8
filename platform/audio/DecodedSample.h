#pragma once
// A sound decoded once to PCM: mono, 16-bit, at the engine's sample rate.
// Its frames never change once made; it is shared by every player of the
// same file.
#include "platform/Result.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct DecodedSample {
    std::vector<std::int16_t> frames;
    // The audio engine's bookkeeping, which tells it when no voice of the mix
    // can read the frames any more.
    struct Use {
        // Voices reading the frames now; changed by the mix's thread only.
        std::atomic<int> voices{0};
        // The number of the last command sent to the mix that names the
        // frames; main thread only.
        std::size_t lastCommand = 0;
    };
    mutable Use use;

    std::int64_t length() const { return static_cast<std::int64_t>(frames.size()); }
    std::size_t bytes() const { return frames.size() * sizeof(std::int16_t); }
};

// What a sample file may hold. Our samples are seconds long; anything past
// these bounds is treated as undecodable rather than allowed to take the
// memory it claims.
inline constexpr int kSampleRate = 44100;
inline constexpr std::int64_t kMaxSampleFrames = std::int64_t{3} * 60 * kSampleRate; // 3 minutes
inline constexpr std::uintmax_t kMaxSampleFileBytes = 16u << 20;                     // 16 MiB
// The densest MP3 at 44.1 kHz (MPEG-1 at 32 kbit/s) holds about 11 frames of
// sound per byte; three times that leaves room for free-format streams.
inline constexpr std::int64_t kMaxFramesPerFileByte = 32;

// The most frames a sample file of fileBytes bytes may decode to.
std::int64_t maxFramesForFileOf(std::size_t fileBytes);

// The whole content of a sample file; an error when it is not a regular file
// (a FIFO, device or directory is refused without blocking), cannot be read,
// or is larger than kMaxSampleFileBytes. Any thread but the audio callback.
Result<std::vector<unsigned char>> readSampleFile(const std::string& path);

// Decodes MP3 bytes to mono PCM at 44.1 kHz. A stereo stream is mixed down;
// a stream at another sample rate is refused, since the engine mixes at
// 44.1 kHz without resampling. The encoder's delay and padding named in the
// file's info tag are trimmed, so the frames are exactly those that were
// encoded. An error when the bytes hold no decodable sound, or claim or
// decode to more than maxFramesForFileOf(bytes.size()) frames. Never throws.
// Any thread but the audio callback.
Result<std::shared_ptr<const DecodedSample>> decodeMp3(std::span<const unsigned char> bytes);

} // namespace platform

#pragma once
// A sound decoded once to PCM: mono, 16-bit, at the engine's sample rate.
// Immutable once made, and shared by every player of the same file.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct DecodedSample {
    std::vector<std::int16_t> frames;

    std::int64_t length() const { return static_cast<std::int64_t>(frames.size()); }
    std::size_t bytes() const { return frames.size() * sizeof(std::int16_t); }
};

// The whole content of a file, or nothing when it cannot be read (the reason
// goes to *error when given). Any thread but the audio callback.
std::optional<std::vector<unsigned char>> readWholeFile(const std::string& path,
                                                        std::string* error = nullptr);

// Decodes MP3 bytes to mono PCM at 44.1 kHz. The encoder's delay and padding
// named in the file's info tag are trimmed, so the frames are exactly those
// that were encoded. Nothing when the bytes hold no decodable sound (the reason
// goes to *error when given). Any thread but the audio callback.
std::shared_ptr<const DecodedSample> decodeMp3(std::span<const unsigned char> bytes,
                                               std::string* error = nullptr);

} // namespace platform

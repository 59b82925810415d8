#include "platform/audio/DecodedSample.h"

#include <mpg123.h>

#include <cstdio>
#include <fstream>
#include <mutex>

namespace platform {
namespace {

constexpr long kSampleRate = 44100;

void setError(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
}

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

} // namespace

std::optional<std::vector<unsigned char>> readWholeFile(const std::string& path, std::string* error)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        setError(error, "cannot open " + path);
        return std::nullopt;
    }
    const std::streamoff size = file.tellg();
    std::vector<unsigned char> bytes(size > 0 ? static_cast<size_t>(size) : 0);
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()))) {
        setError(error, "cannot read " + path);
        return std::nullopt;
    }
    return bytes;
}

std::shared_ptr<const DecodedSample> decodeMp3(std::span<const unsigned char> bytes,
                                               std::string* error)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    int status = MPG123_OK;
    std::unique_ptr<mpg123_handle, HandleDeleter> handle(mpg123_new(nullptr, &status));
    if (!handle) {
        setError(error, std::string("MP3 decoder unavailable: ") + mpg123_plain_strerror(status));
        return nullptr;
    }
    mpg123_handle* mh = handle.get();
    // Gapless: the info tag's encoder delay and padding are cut off. A stereo
    // file is mixed down; another sample rate is converted to the engine's.
    mpg123_param(mh, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_MONO_MIX, 0);
    mpg123_format_none(mh);
    if (mpg123_format(mh, kSampleRate, MPG123_MONO, MPG123_ENC_SIGNED_16) != MPG123_OK
        || mpg123_open_feed(mh) != MPG123_OK) {
        setError(error, std::string("MP3 decoder set-up failed: ") + mpg123_strerror(mh));
        return nullptr;
    }

    auto sample = std::make_shared<DecodedSample>();
    unsigned char chunk[32768];
    size_t produced = 0;
    int result = mpg123_decode(mh, bytes.data(), bytes.size(), chunk, sizeof chunk, &produced);
    // The info tag, read with the first frame, tells the length to reserve.
    if (const off_t length = mpg123_length(mh); length > 0)
        sample->frames.reserve(static_cast<size_t>(length));
    for (;;) {
        const auto* pcm = reinterpret_cast<const std::int16_t*>(chunk);
        sample->frames.insert(sample->frames.end(), pcm, pcm + produced / sizeof(std::int16_t));
        if (result == MPG123_ERR || result == MPG123_NEED_MORE || result == MPG123_DONE)
            break;
        result = mpg123_decode(mh, nullptr, 0, chunk, sizeof chunk, &produced);
    }
    if (result == MPG123_ERR) {
        setError(error, std::string("not a decodable MP3: ") + mpg123_strerror(mh));
        return nullptr;
    }
    if (sample->frames.empty()) {
        setError(error, "not a decodable MP3: no audio frames found");
        return nullptr;
    }
    sample->frames.shrink_to_fit();
    return sample;
}

} // namespace platform

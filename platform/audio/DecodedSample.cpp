#include "platform/audio/DecodedSample.h"

#include "platform/RegularFile.h"

#include <mpg123.h>

#include <algorithm>
#include <array>
#include <mutex>

namespace platform {
namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

// Accepts every sample rate the decoder knows, mono 16-bit, so that a stream
// at another rate is reported by us rather than by the library on standard
// error.
bool acceptMono16AtAnyRate(mpg123_handle* mh)
{
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        if (mpg123_format(mh, rates[i], MPG123_MONO, MPG123_ENC_SIGNED_16) != MPG123_OK)
            return false;
    return true;
}

Result<std::shared_ptr<const DecodedSample>> decode(std::span<const unsigned char> bytes)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    int status = MPG123_OK;
    std::unique_ptr<mpg123_handle, HandleDeleter> handle(mpg123_new(nullptr, &status));
    if (!handle)
        return failure(std::string("MP3 decoder unavailable: ") + mpg123_plain_strerror(status));
    mpg123_handle* mh = handle.get();
    // Gapless: the info tag's encoder delay and padding are cut off.
    mpg123_param(mh, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_MONO_MIX, 0);
    mpg123_format_none(mh);
    if (!acceptMono16AtAnyRate(mh) || mpg123_open_feed(mh) != MPG123_OK)
        return failure(std::string("MP3 decoder set-up failed: ") + mpg123_strerror(mh));

    const std::int64_t maxFrames = maxFramesForFileOf(bytes.size());
    auto sample = std::make_shared<DecodedSample>();
    std::array<unsigned char, 32768> chunk{};
    std::size_t produced = 0;
    int result =
        mpg123_decode(mh, bytes.data(), bytes.size(), chunk.data(), chunk.size(), &produced);
    bool formatChecked = false;
    for (;;) {
        if (result == MPG123_NEW_FORMAT || (!formatChecked && produced > 0)) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(mh, &rate, &channels, &encoding);
            if (rate != kSampleRate)
                return failure("not a decodable MP3: sample rate " + std::to_string(rate) +
                               " Hz, samples must be at " + std::to_string(kSampleRate) + " Hz");
            // The info tag, read with the first frame, tells the length: a
            // claim past the bound is refused before anything is reserved.
            if (const off_t claimed = mpg123_length(mh); claimed > maxFrames) {
                return failure("not a decodable MP3: it claims " + std::to_string(claimed) +
                               " frames, more than a sample of " + std::to_string(bytes.size()) +
                               " bytes may hold");
            } else if (claimed > 0 && sample->frames.empty()) {
                sample->frames.reserve(static_cast<std::size_t>(claimed));
            }
            formatChecked = true;
        }
        const auto* pcm = reinterpret_cast<const std::int16_t*>(chunk.data());
        const std::size_t count = produced / sizeof(std::int16_t);
        if (sample->length() + static_cast<std::int64_t>(count) > maxFrames)
            return failure("not a decodable MP3: it decodes to more than " +
                           std::to_string(maxFrames) + " frames");
        sample->frames.insert(sample->frames.end(), pcm, pcm + count);
        if (result == MPG123_ERR || result == MPG123_NEED_MORE || result == MPG123_DONE)
            break;
        result = mpg123_decode(mh, nullptr, 0, chunk.data(), chunk.size(), &produced);
    }
    if (result == MPG123_ERR)
        return failure(std::string("not a decodable MP3: ") + mpg123_strerror(mh));
    if (sample->frames.empty())
        return failure("not a decodable MP3: no audio frames found");
    sample->frames.shrink_to_fit();
    return std::shared_ptr<const DecodedSample>(std::move(sample));
}

} // namespace

std::int64_t maxFramesForFileOf(std::size_t fileBytes)
{
    const auto bytes = std::min<std::uintmax_t>(fileBytes, kMaxSampleFileBytes);
    return std::min(kMaxSampleFrames, static_cast<std::int64_t>(bytes) * kMaxFramesPerFileByte);
}

Result<std::vector<unsigned char>> readSampleFile(const std::string& path)
{
    auto content = readRegularFile(path, kMaxSampleFileBytes);
    if (!content)
        return failure("cannot open " + path + ": " + content.error());
    return std::vector<unsigned char>(content->begin(), content->end());
}

Result<std::shared_ptr<const DecodedSample>> decodeMp3(std::span<const unsigned char> bytes)
{
    // Decoding runs on worker threads, where an escaping exception would end
    // the process: running out of memory makes the file undecodable instead.
    try {
        return decode(bytes);
    } catch (const std::exception& exception) {
        return failure(std::string("not a decodable MP3: ") + exception.what());
    }
}

} // namespace platform

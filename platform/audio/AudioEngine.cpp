#include "platform/audio/AudioEngine.h"

#include "platform/Log.h"
#include "platform/audio/DeviceOutput.h"

#include <algorithm>

namespace platform {

std::shared_ptr<AudioEngine> AudioEngine::shared()
{
    static std::shared_ptr<AudioEngine> engine = std::make_shared<AudioEngine>();
    return engine;
}

AudioEngine::AudioEngine() = default;

AudioEngine::~AudioEngine()
{
    // The device's callback must be over before the voices and samples go.
    device_.reset();
}

Result<void> AudioEngine::openDeviceOutput()
{
    if (device_)
        return {};
    auto opened = DeviceOutput::open(*this);
    if (!opened)
        return failure(opened.error());
    device_ = std::move(*opened);
    if (!device_)
        log("No audio output device: sound goes to the null output");
    return {};
}

void AudioEngine::closeDeviceOutput()
{
    device_.reset();
}

void AudioEngine::startVoice(std::uint64_t id, const DecodedSample& sample, std::int64_t frame)
{
    send(Command{Command::Kind::Start, id, &sample, frame});
    sample.use.lastCommand = commands_.written();
}

void AudioEngine::stopVoice(std::uint64_t id)
{
    send(Command{Command::Kind::Stop, id, nullptr, 0});
}

bool AudioEngine::mayStillRead(const DecodedSample& sample) const
{
    // In this order: once the mix has taken every command naming the sample,
    // its count of voices is final but for voices ending.
    return commands_.consumed() < sample.use.lastCommand ||
           sample.use.voices.load(std::memory_order_acquire) > 0;
}

void AudioEngine::send(const Command& command)
{
    if (!commands_.push(command))
        dropped_.fetch_add(1, std::memory_order_relaxed);
    if (batchDepth_ == 0) {
        commands_.publish();
        ++publications_;
    }
}

AudioEngine::Batch::Batch(AudioEngine& engine) : engine_(engine)
{
    ++engine_.batchDepth_;
}

AudioEngine::Batch::~Batch()
{
    if (--engine_.batchDepth_ == 0) {
        engine_.commands_.publish();
        ++engine_.publications_;
    }
}

void AudioEngine::deviceCallback(float* out, unsigned long frames, bool underflow)
{
    if (underflow)
        underruns_.fetch_add(1, std::memory_order_relaxed);
    render(out, static_cast<int>(frames));
}

void AudioEngine::render(float* out, int frames)
{
    commands_.drain([this](const Command& command) { applyCommand(command); });
    while (frames > 0) {
        const int chunk = std::min(frames, kBufferFrames);
        mixChunk(out, chunk);
        out += chunk * kChannels;
        frames -= chunk;
        framesRendered_.fetch_add(static_cast<std::uint64_t>(chunk), std::memory_order_release);
    }
    sounding_.store(voiceCount_, std::memory_order_relaxed);
}

void AudioEngine::applyCommand(const Command& command)
{
    int index = 0;
    while (index < voiceCount_ && voices_[index].id != command.voice)
        ++index;
    bool found = index < voiceCount_;
    const bool starts =
        command.kind == Command::Kind::Start && command.frame < command.sample->length();
    if (!starts) {
        if (found)
            endVoice(index);
        return;
    }
    if (found && voices_[index].sample != command.sample) {
        endVoice(index);
        found = false;
    }
    if (!found) {
        if (voiceCount_ == kMaxVoices) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        index = voiceCount_++;
        command.sample->use.voices.fetch_add(1, std::memory_order_relaxed);
    }
    voices_[index] = Voice{command.voice, command.sample, std::max<std::int64_t>(command.frame, 0)};
}

void AudioEngine::endVoice(int index)
{
    // Released: every read of the sample's frames comes before this count.
    voices_[index].sample->use.voices.fetch_sub(1, std::memory_order_release);
    voices_[index] = voices_[--voiceCount_];
}

void AudioEngine::mixChunk(float* out, int frames)
{
    std::fill_n(mono_.begin(), frames, 0.0f);
    for (int v = 0; v < voiceCount_;) {
        Voice& voice = voices_[v];
        const std::int64_t length = voice.sample->length();
        const auto count =
            static_cast<int>(std::min<std::int64_t>(frames, length - voice.position));
        const std::int16_t* source = voice.sample->frames.data() + voice.position;
        for (int i = 0; i < count; ++i)
            mono_[i] += static_cast<float>(source[i]);
        voice.position += count;
        if (voice.position >= length)
            endVoice(v);
        else
            ++v;
    }
    for (int i = 0; i < frames; ++i)
        mono_[i] *= kSampleScale;
    const int limited = limiter_.process(mono_.data(), frames);
    static_assert(kChannels == 2, "mono voices are copied to two channels");
    int clipped = 0;
    for (int i = 0; i < frames; ++i) {
        const float value = std::clamp(mono_[i], -1.0f, 1.0f);
        clipped += value != mono_[i];
        out[2 * i] = value;
        out[2 * i + 1] = value;
    }
    if (limited > 0)
        limited_.fetch_add(static_cast<std::uint64_t>(limited), std::memory_order_relaxed);
    if (clipped > 0)
        clipped_.fetch_add(static_cast<std::uint64_t>(clipped), std::memory_order_relaxed);
}

} // namespace platform

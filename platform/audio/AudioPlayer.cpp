#include "platform/audio/AudioPlayer.h"

#include <algorithm>
#include <cmath>

namespace platform {

Result<std::unique_ptr<AudioPlayer>> AudioPlayer::create(const FileUrl& url,
                                                         std::shared_ptr<AudioEngine> engine)
{
    auto player = createDeferred(url, std::move(engine));
    if (auto taken = player->takeSound(); !taken)
        return failure(taken.error());
    return player;
}

std::unique_ptr<AudioPlayer> AudioPlayer::createDeferred(const FileUrl& url,
                                                         std::shared_ptr<AudioEngine> engine)
{
    return std::unique_ptr<AudioPlayer>(new AudioPlayer(url, std::move(engine)));
}

AudioPlayer::AudioPlayer(FileUrl url, std::shared_ptr<AudioEngine> engine)
    : url_(std::move(url)), engine_(std::move(engine)), voice_(engine_->newVoiceId())
{
}

Result<void> AudioPlayer::takeSound()
{
    soundTaken_ = true;
    auto sample = engine_->sample(url_.path);
    if (!sample)
        return failure(sample.error());
    sample_ = std::move(*sample);
    return {};
}

const DecodedSample* AudioPlayer::sound()
{
    if (!soundTaken_)
        static_cast<void>(takeSound()); // on failure (logged by the engine), no sound
    return sample_.get();
}

bool AudioPlayer::hasSound()
{
    return sound() != nullptr;
}

AudioPlayer::~AudioPlayer()
{
    bool sounding = false;
    position(sounding);
    if (sounding)
        engine_->stopVoice(voice_);
}

bool AudioPlayer::prepareToPlay()
{
    return true;
}

std::int64_t AudioPlayer::position(bool& sounding) const
{
    sounding = false;
    if (!started_)
        return restFrame_;
    const auto elapsed = static_cast<std::int64_t>(engine_->framesRendered() - startClock_);
    const std::int64_t frame = startFrame_ + elapsed;
    if (frame >= sample_->length())
        return 0;
    sounding = true;
    return frame;
}

bool AudioPlayer::play()
{
    if (!sound())
        return false;
    bool sounding = false;
    const std::int64_t frame = position(sounding);
    if (sounding)
        return true;
    started_ = true;
    startFrame_ = frame;
    startClock_ = engine_->framesRendered();
    engine_->startVoice(voice_, *sample_, frame);
    return true;
}

bool AudioPlayer::isPlaying() const
{
    bool sounding = false;
    position(sounding);
    return sounding;
}

double AudioPlayer::currentTime() const
{
    bool sounding = false;
    return static_cast<double>(position(sounding)) / AudioEngine::kSampleRate;
}

void AudioPlayer::setCurrentTime(double seconds)
{
    if (!sound())
        return;
    const double frames =
        std::isfinite(seconds) ? std::round(seconds * AudioEngine::kSampleRate) : 0.0;
    const auto frame =
        static_cast<std::int64_t>(std::clamp(frames, 0.0, static_cast<double>(sample_->length())));
    bool sounding = false;
    position(sounding);
    if (!sounding) {
        started_ = false;
        restFrame_ = frame;
        return;
    }
    startFrame_ = frame;
    startClock_ = engine_->framesRendered();
    engine_->startVoice(voice_, *sample_, frame);
}

double AudioPlayer::duration()
{
    return sound() ? static_cast<double>(sample_->length()) / AudioEngine::kSampleRate : 0.0;
}

} // namespace platform

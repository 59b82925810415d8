#pragma once
// A player of one sound file: made from the file's address, it decodes the
// sound once (shared with every other player of the same file) and sounds it
// through the audio engine when started. Starting a player that is already
// sounding adds no second voice; setting its time moves the one voice.
// Destroying a player silences it.
//
// Every function: main thread only.
#include "platform/Error.h"
#include "platform/FileUrl.h"
#include "platform/audio/AudioEngine.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

class AudioPlayer {
public:
    // A player of the sound file at url, or nothing (with the reason in
    // *error, when given) when the file cannot be opened or decoded.
    static std::unique_ptr<AudioPlayer>
    create(const FileUrl& url, std::optional<Error>* error = nullptr,
           std::shared_ptr<AudioEngine> engine = AudioEngine::shared());
    ~AudioPlayer();
    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    // Readies the player for its next start. The sound is decoded when the
    // player is made, so there is nothing left to do; true.
    bool prepareToPlay();
    // Starts sounding from the current time and returns at once; the sound
    // goes on by itself to the end. A player that is sounding goes on as it is.
    bool play();
    bool isPlaying() const;

    // Playback position in seconds; back to 0 when the sound has ended.
    double currentTime() const;
    // Moves the playback position (clamped to the sound); a sounding player
    // goes on from there.
    void setCurrentTime(double seconds);
    double duration() const;

    const FileUrl& url() const { return url_; }

private:
    AudioPlayer(FileUrl url, std::shared_ptr<const DecodedSample> sample,
                std::shared_ptr<AudioEngine> engine);
    // The position now, in frames, and whether the voice still sounds.
    std::int64_t position(bool& sounding) const;

    FileUrl url_;
    std::shared_ptr<const DecodedSample> sample_;
    std::shared_ptr<AudioEngine> engine_;
    std::uint64_t voice_;
    // Started: the voice began at startFrame_ when the engine's clock read
    // startClock_. Not started: it rests at restFrame_.
    bool started_ = false;
    std::int64_t startFrame_ = 0;
    std::uint64_t startClock_ = 0;
    std::int64_t restFrame_ = 0;
};

} // namespace platform

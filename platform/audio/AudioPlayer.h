#pragma once
// A player of one sound file: made from the file's address, it sounds the
// file's decoded sound (decoded once, shared with every other player of the
// same file) through the audio engine when started. Starting a player that is
// already sounding adds no second voice; setting its time moves the one voice.
// Destroying a player silences it.
//
// Every function: main thread only.
#include "platform/FileUrl.h"
#include "platform/Result.h"
#include "platform/audio/AudioEngine.h"

#include <cstdint>
#include <memory>

namespace platform {

class AudioPlayer {
public:
    // A player of the sound file at url, or an error when the file cannot be
    // opened or decoded.
    static Result<std::unique_ptr<AudioPlayer>>
    create(const FileUrl& url, std::shared_ptr<AudioEngine> engine = AudioEngine::shared());
    // A player of the sound file at url whose sound is taken when the player
    // first needs it: by then the engine has usually decoded it in the
    // background; if not, it is decoded at once. Cheap: the file is not read.
    static std::unique_ptr<AudioPlayer>
    createDeferred(const FileUrl& url, std::shared_ptr<AudioEngine> engine = AudioEngine::shared());
    ~AudioPlayer();
    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    // Whether the player has a sound, taking it now if it has not yet. False
    // when the file cannot be read or decoded (the engine logs why): the
    // player then never sounds.
    bool hasSound();

    // Readies the player for its next start. The sound is decoded when the
    // player is made or, for a deferred player, by the engine in the
    // background, so there is nothing left to do; true.
    bool prepareToPlay();
    // Starts sounding from the current time and returns at once; the sound
    // goes on by itself to the end. A player that is sounding goes on as it is.
    // False, sounding nothing, when the player has no sound.
    bool play();
    bool isPlaying() const;

    // Playback position in seconds; back to 0 when the sound has ended.
    double currentTime() const;
    // Moves the playback position (clamped to the sound); a sounding player
    // goes on from there.
    void setCurrentTime(double seconds);
    // The sound's length in seconds; 0 without a sound.
    double duration();

    const FileUrl& url() const { return url_; }

private:
    AudioPlayer(FileUrl url, std::shared_ptr<AudioEngine> engine);
    // The sound, taken from the engine on first use; nothing when the file
    // cannot be read or decoded.
    const DecodedSample* sound();
    // Takes the sound from the engine; an error when the file cannot be read
    // or decoded, and the player then never sounds.
    Result<void> takeSound();
    // The position now, in frames, and whether the voice still sounds.
    std::int64_t position(bool& sounding) const;

    FileUrl url_;
    std::shared_ptr<const DecodedSample> sample_;
    bool soundTaken_ = false;
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

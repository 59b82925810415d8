#pragma once
// The process's audio session: what kind of sound the program makes and
// whether its output is open. Activating it opens the audio output device;
// where the machine has none, the sound goes to the null output.
//
// Every function: main thread only. The calls are virtual so that tests can
// put a session in place whose calls fail.
#include "platform/Result.h"
#include "platform/audio/AudioEngine.h"

#include <memory>

namespace platform {

class AudioSession {
public:
    enum class Category { Playback };

    // The one session of the process.
    static AudioSession& sharedInstance();
    // Puts another session in the shared one's place (tests); gives back the
    // one it replaces.
    static std::unique_ptr<AudioSession> setSharedInstance(std::unique_ptr<AudioSession> session);

    explicit AudioSession(std::shared_ptr<AudioEngine> engine = AudioEngine::shared());
    virtual ~AudioSession();
    AudioSession(const AudioSession&) = delete;
    AudioSession& operator=(const AudioSession&) = delete;

    // Sets the kind of sound: Playback, sound that goes on whatever else the
    // machine does. An error on failure.
    virtual Result<void> setCategory(Category category);
    // Opens (true) or closes (false) the audio output. An error when a device
    // exists but cannot be opened.
    virtual Result<void> setActive(bool active);

    Category category() const { return category_; }
    bool isActive() const { return active_; }

private:
    std::shared_ptr<AudioEngine> engine_;
    Category category_ = Category::Playback;
    bool active_ = false;
};

} // namespace platform

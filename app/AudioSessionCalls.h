#pragma once
// The two audio-session calls made at launch, behind a small interface so the
// launch can be tried with a session that fails.
#include <string>

namespace app {

class AudioSessionCalls {
public:
    virtual ~AudioSessionCalls() = default;
    // Each returns false on failure and fills in the error's readable text.
    virtual bool setCategoryPlayback(std::string& errorDescription) = 0;
    virtual bool activate(std::string& errorDescription) = 0;
};

// The process's real audio session.
AudioSessionCalls& sharedAudioSessionCalls();

} // namespace app

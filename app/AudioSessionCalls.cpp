#include "app/AudioSessionCalls.h"

namespace app {
namespace {
class SharedSession : public AudioSessionCalls {
public:
    bool setCategoryPlayback(std::string&) override { return true; }
    bool activate(std::string&) override { return true; }
};
} // namespace

AudioSessionCalls& sharedAudioSessionCalls()
{
    static SharedSession session;
    return session;
}

} // namespace app

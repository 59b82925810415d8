#pragma once
// The application delegate: sizes and styles the window at launch, sets up the
// playback audio session, and on each return to the foreground has the main
// screen on top rebuild its sample bank.
#include "app/AudioSessionCalls.h"
#include "platform/Application.h"

namespace app {

class AppDelegate : public platform::ApplicationDelegate {
public:
    explicit AppDelegate(AudioSessionCalls& audioSession = sharedAudioSessionCalls());
    ~AppDelegate() override;

    bool didFinishLaunching(platform::Application& application,
                            const platform::LaunchOptions& options) override;

    // The handler subscribed to the will-enter-foreground notification.
    void applicationWillEnterForeground();

    static constexpr double kHeightLimit = 800.0;
    static constexpr double kAspectFactor = 16.0 / 11.0;

private:
    AudioSessionCalls& audioSession_;
};

} // namespace app

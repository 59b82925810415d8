#pragma once
// The application delegate: sizes and styles the window at launch, sets up the
// playback audio session, and on each return to the foreground has the main
// screen on top rebuild its sample bank.
#include "platform/Application.h"
#include "platform/audio/AudioSession.h"

namespace app {

class AppDelegate : public platform::ApplicationDelegate {
public:
    explicit AppDelegate(
        platform::AudioSession& audioSession = platform::AudioSession::sharedInstance());
    ~AppDelegate() override;

    bool didFinishLaunching(platform::Application& application,
                            const platform::LaunchOptions& options) override;

    // The handler subscribed to the will-enter-foreground notification.
    void applicationWillEnterForeground();

    static constexpr double kHeightLimit = 800.0;
    static constexpr double kAspectFactor = 16.0 / 11.0;

private:
    platform::AudioSession& audioSession_;
};

} // namespace app

#include "app/AppDelegate.h"

#include "finder/FirstViewController.h"
#include "platform/Log.h"
#include "platform/NotificationCenter.h"
#include "platform/System.h"

#include <algorithm>

namespace app {

AppDelegate::AppDelegate(platform::AudioSession& audioSession) : audioSession_(audioSession) {}

AppDelegate::~AppDelegate()
{
    platform::NotificationCenter::defaultCenter().removeObserver(this);
}

bool AppDelegate::didFinishLaunching(platform::Application& application,
                                     const platform::LaunchOptions&)
{
    // The window takes at most 1163.6363636363637 by 800 points and never more
    // than the screen, and the scene is held to exactly that size.
    if (platform::systemVersionAtLeast(13)) {
        if (platform::Scene* scene = application.anyConnectedScene()) {
            platform::Window* first = scene->windows().empty() ? nullptr : scene->windows().front();
            const QSizeF screen = platform::mainScreenBounds();
            const double widthLimit = kHeightLimit * kAspectFactor;
            const double w = std::min(widthLimit, screen.width());
            const double h = std::min(kHeightLimit, screen.height());
            if (first)
                first->setFrame(QRectF(0.0, 0.0, w, h));
            if (platform::SizeRestrictions* limits = scene->sizeRestrictions()) {
                limits->setMinimumSize(QSizeF(w, h));
                limits->setMaximumSize(QSizeF(w, h));
            }
        }
    }
    if (platform::systemVersionAtLeast(13) && window)
        window->setOverrideUserInterfaceStyle(platform::UserInterfaceStyle::Dark);

    platform::log("didFinishLaunchingWithOptions called");

    platform::NotificationCenter::defaultCenter().addObserver(
        this, platform::kApplicationWillEnterForegroundNotification,
        [this] { applicationWillEnterForeground(); });

    if (const auto category = audioSession_.setCategory(platform::AudioSession::Category::Playback);
        !category)
        platform::log("Erro ao definir a categoria da sessão de áudio: " + category.error());
    if (const auto activation = audioSession_.setActive(true); !activation)
        platform::log("Erro ao ativar a sessão de áudio: " + activation.error());
    return true;
}

void AppDelegate::applicationWillEnterForeground()
{
    platform::log("applicationWillEnterForeground called");
    platform::ViewController* current = window ? window->rootViewController() : nullptr;
    while (current && current->presentedViewController())
        current = current->presentedViewController();
    if (auto* nav = dynamic_cast<platform::NavigationController*>(current))
        current = nav->topViewController();
    if (auto* main = dynamic_cast<finder::FirstViewController*>(current)) {
        main->LoadAudioSessions();
        return;
    }
    platform::log("Current view controller não é do tipo FirstViewController");
}

} // namespace app

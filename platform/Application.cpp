#include "platform/Application.h"

#include "platform/NotificationCenter.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>
#include <cstdlib>

namespace platform {
namespace {
Application* sharedApplication = nullptr;
std::optional<QSizeF> screenBoundsOverride;
} // namespace

void SizeRestrictions::setMinimumSize(QSizeF size)
{
    minimum_ = size;
    for (Window* w : *windows_)
        w->setMinimumSize(size.toSize());
}

void SizeRestrictions::setMaximumSize(QSizeF size)
{
    maximum_ = size;
    for (Window* w : *windows_)
        w->setMaximumSize(size.toSize());
}

Scene::Scene(bool withSizeRestrictions)
{
    if (withSizeRestrictions)
        restrictions_ = std::make_unique<SizeRestrictions>(&windows_);
}

Application::Application()
{
    sharedApplication = this;
}

Application::~Application()
{
    if (sharedApplication == this)
        sharedApplication = nullptr;
}

Application* Application::shared()
{
    return sharedApplication;
}

std::vector<Scene*> Application::connectedScenes()
{
    std::vector<Scene*> scenes;
    for (auto& s : scenes_)
        scenes.push_back(s.get());
    return scenes;
}

Scene* Application::anyConnectedScene()
{
    return scenes_.empty() ? nullptr : scenes_.front().get();
}

Scene& Application::addScene(std::unique_ptr<Scene> scene)
{
    scenes_.push_back(std::move(scene));
    return *scenes_.back();
}

void Application::enterForeground()
{
    if (delegate_)
        delegate_->willEnterForeground(*this);
    NotificationCenter::defaultCenter().postNotification(
        kApplicationWillEnterForegroundNotification);
}

QSizeF mainScreenBounds()
{
    if (screenBoundsOverride)
        return *screenBoundsOverride;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry().size();
    return {};
}

void setMainScreenBounds(std::optional<QSizeF> bounds)
{
    screenBoundsOverride = bounds;
}

void launch(Application& application, ApplicationDelegate& delegate,
            const RootControllerFactory& makeRootController)
{
    application.setDelegate(&delegate);
    auto window = std::make_shared<Window>();
    Scene& scene = application.addScene(std::make_unique<Scene>());
    scene.addWindow(window.get());
    delegate.window = window;
    QObject::connect(window.get(), &Window::returnedToForeground, window.get(),
                     [&application] { application.enterForeground(); });
    // The launch handler sets up the audio session before the root screen's
    // view loads and builds its sample bank.
    delegate.didFinishLaunching(application, {});
    window->setRootViewController(makeRootController());
    // The screens are laid out at the size of the root screen's layout; a
    // smaller window shows them scaled down.
    if (ViewController* rootController = window->rootViewController())
        window->setDesignSize(rootController->view()->size());
    window->show();
}

void nameApplication()
{
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("Cifrario"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Cifrário"));
}

int applicationMain(int argc, char** argv, const DelegateFactory& makeDelegate,
                    const RootControllerFactory& makeRootController)
{
    // JACK must not try to start a server of its own when audio opens.
    ::setenv("JACK_NO_START_SERVER", "1", 0);
    QApplication qtApp(argc, argv);
    nameApplication();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    Application application;
    std::unique_ptr<ApplicationDelegate> delegate = makeDelegate();
    launch(application, *delegate, makeRootController);
    const int status = QApplication::exec();
    delegate->willTerminate(application);
    // The screens go while the application object still exists: their views'
    // deferred deletions run now, as no later turn of the event loop comes.
    delegate->window->setRootViewController(nullptr);
    delegate->window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

} // namespace platform

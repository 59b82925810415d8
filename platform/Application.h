#pragma once
// The application object, its delegate and its scene. applicationMain builds
// the Qt application, makes the delegate, builds the window with its root
// controller (the program's "storyboard"), hands the window to the delegate,
// calls the launch handler, shows the window and runs the event loop.
#include "platform/Window.h"

#include <QSizeF>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Application;

// The smallest and largest size of a scene's windows.
class SizeRestrictions {
public:
    explicit SizeRestrictions(std::vector<Window*>* windows) : windows_(windows) {}
    void setMinimumSize(QSizeF size);
    void setMaximumSize(QSizeF size);
    QSizeF minimumSize() const { return minimum_; }
    QSizeF maximumSize() const { return maximum_; }

private:
    std::vector<Window*>* windows_;
    QSizeF minimum_;
    QSizeF maximum_;
};

// One connected scene: its windows and, where the system has them, its size
// restrictions.
class Scene {
public:
    explicit Scene(bool withSizeRestrictions = true);
    void addWindow(Window* window) { windows_.push_back(window); }
    const std::vector<Window*>& windows() const { return windows_; }
    SizeRestrictions* sizeRestrictions() { return restrictions_.get(); }

private:
    std::vector<Window*> windows_;
    std::unique_ptr<SizeRestrictions> restrictions_;
};

using LaunchOptions = std::map<std::string, std::string>;

class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual bool didFinishLaunching(Application& application, const LaunchOptions& options) = 0;
    virtual void willResignActive(Application&) {}
    virtual void didEnterBackground(Application&) {}
    virtual void willEnterForeground(Application&) {}
    virtual void didBecomeActive(Application&) {}
    virtual void willTerminate(Application&) {}

    // The application's window, filled in before the launch handler runs.
    std::shared_ptr<Window> window;
};

class Application {
public:
    Application();
    ~Application();
    static Application* shared();

    // Connected scenes; "any one of them" is the first.
    std::vector<Scene*> connectedScenes();
    Scene* anyConnectedScene();
    Scene& addScene(std::unique_ptr<Scene> scene);

    ApplicationDelegate* delegate() const { return delegate_; }
    void setDelegate(ApplicationDelegate* delegate) { delegate_ = delegate; }

    // Reports a return to the foreground: the delegate's callback, then the
    // notification.
    void enterForeground();

private:
    std::vector<std::unique_ptr<Scene>> scenes_;
    ApplicationDelegate* delegate_ = nullptr;
};

// The main screen's bounds in points: the size of the primary screen's
// available area (without panels), unless a test sets other bounds.
QSizeF mainScreenBounds();
void setMainScreenBounds(std::optional<QSizeF> bounds);

using DelegateFactory = std::function<std::unique_ptr<ApplicationDelegate>()>;
using RootControllerFactory = std::function<ViewControllerRef()>;

// All of the start but the event loop, on an application object that exists:
// a scene holding a new window, handed to the delegate, the window's return to
// the foreground forwarded to the application, the launch handler, then the
// root controller made and set (so its view loads after the launch handler
// ran), and the window shown.
void launch(Application& application, ApplicationDelegate& delegate,
            const RootControllerFactory& makeRootController);

int applicationMain(int argc, char** argv, const DelegateFactory& makeDelegate,
                    const RootControllerFactory& makeRootController);

// The program's names, which also name its data folder
// (~/.local/share/Cifrario): "Cifrario", shown as "Cifrário", no organisation.
void nameApplication();

} // namespace platform

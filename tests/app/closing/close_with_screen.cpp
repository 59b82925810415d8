// The program as main.cpp starts it, driven from inside: once the event loop
// runs it clicks the main screen's control named on the command line (none:
// it stays on the main screen), then closes the window, as a user closing it
// with that screen on top. The process must then end by itself, the screens'
// views gone before it does (exit status 3 if one is left).
#include "app/AppDelegate.h"
#include "app/Storyboard.h"
#include "platform/MainQueue.h"
#include "platform/Window.h"

#include <QAbstractButton>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdio>
#include <memory>

namespace {
// The views of the main screen and of the screen on top, to see that neither
// outlives the application.
QPointer<QWidget> mainView;
QPointer<QWidget> topView;
} // namespace

int main(int argc, char** argv)
{
    const QString control = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int status = platform::applicationMain(
        argc, argv, [] { return std::make_unique<app::AppDelegate>(); },
        [control] {
            platform::ViewControllerRef root = app::makeMainStoryboard();
            // Only a weak reference waits in the queue: the screens stay
            // owned by the window alone.
            std::weak_ptr<platform::ViewController> weakRoot = root;
            platform::runOnMainQueue([weakRoot, control] {
                auto main = weakRoot.lock();
                if (!main)
                    return;
                if (!control.isEmpty())
                    if (auto* button = main->view()->findChild<QAbstractButton*>(control))
                        button->click();
                mainView = main->view();
                if (platform::ViewController* top = main->presentedViewController())
                    topView = top->view();
                QWidget* window = platform::hostWindow(main->view());
                platform::runOnMainQueue([window] { window->close(); });
            });
            return root;
        });
    if (mainView || topView) {
        std::fprintf(stderr, "a screen's view outlived the application\n");
        return 3;
    }
    return status;
}

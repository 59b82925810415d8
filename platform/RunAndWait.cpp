#include "platform/RunAndWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <exception>
#include <string>
#include <system_error>
#include <thread>

namespace platform {
namespace {

// Runs work, turning an exception that escapes it into an error.
Result<void> runCatching(const std::function<void(std::stop_token)>& work, std::stop_token stop)
{
    try {
        work(std::move(stop));
    } catch (const std::exception& exception) {
        return failure(exception.what());
    } catch (...) {
        return failure("unknown failure");
    }
    return {};
}

// Drops the user's input to every object while it is installed. Qt's own
// ExcludeUserInputEvents would hold it instead, and on X11 it holds the
// window manager's request to close a window with it.
class InputBlocker : public QObject {
public:
    InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->isInputEvent(); }
};

} // namespace

Result<void> runAndWait(const std::function<void(std::stop_token)>& work)
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread())
        return runCatching(work, {});
    QEventLoop loop;
    Result<void> outcome;
    std::atomic<bool> finished = false;
    std::jthread worker;
    try {
        worker = std::jthread([&](std::stop_token stop) {
            outcome = runCatching(work, std::move(stop));
            finished = true;
            // Posted to the main thread: if the work ends before exec()
            // starts, the quit is still waiting in the queue and ends the loop
            // at once.
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
    } catch (const std::system_error& exception) {
        return failure(std::string("cannot start a worker thread: ") + exception.what());
    }
    {
        const InputBlocker blocker;
        loop.exec();
    }
    // The loop ends early only when the application quits.
    if (!finished)
        worker.request_stop();
    worker.join();
    return outcome;
}

} // namespace platform

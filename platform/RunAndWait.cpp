#include "platform/RunAndWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <exception>
#include <string>
#include <system_error>
#include <thread>

namespace platform {
namespace {

// Runs work, turning an exception that escapes it into an error.
Result<void> runCatching(const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& exception) {
        return failure(exception.what());
    } catch (...) {
        return failure("unknown failure");
    }
    return {};
}

} // namespace

Result<void> runAndWait(const std::function<void()>& work)
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread())
        return runCatching(work);
    QEventLoop loop;
    Result<void> outcome;
    std::thread worker;
    try {
        worker = std::thread([&] {
            outcome = runCatching(work);
            // Posted to the main thread: if the work ends before exec()
            // starts, the quit is still waiting in the queue and ends the loop
            // at once.
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
    } catch (const std::system_error& exception) {
        return failure(std::string("cannot start a worker thread: ") + exception.what());
    }
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return outcome;
}

} // namespace platform

#include "platform/LatestWork.h"

#include "platform/Log.h"

#include <exception>
#include <string>
#include <system_error>

namespace platform {
namespace {

std::function<void()> runCatching(const LatestWork::Work& work, std::stop_token stop)
{
    try {
        return work(std::move(stop));
    } catch (const std::exception& failure) {
        log(LogLevel::Warning, std::string("Trabalho em segundo plano falhou: ") + failure.what());
    } catch (...) {
        log(LogLevel::Warning, "Trabalho em segundo plano falhou");
    }
    return {};
}

} // namespace

LatestWork::~LatestWork()
{
    cancel();
}

void LatestWork::start(const Work& work)
{
    cancel();
    const std::uint64_t generation = generation_;
    try {
        thread_ = std::jthread([this, generation, work](std::stop_token stop) {
            deliver(generation, runCatching(work, std::move(stop)));
        });
    } catch (const std::system_error& failure) {
        log(LogLevel::Warning, std::string("Sem thread para o trabalho: ") + failure.what());
        deliver(generation, runCatching(work, {}));
    }
}

void LatestWork::then(std::function<void()> step)
{
    deliver(generation_, std::move(step));
}

void LatestWork::cancel()
{
    ++generation_;
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

void LatestWork::deliver(std::uint64_t generation, std::function<void()> answer)
{
    // Posted from any thread; runs on the main thread, where generation_
    // lives, and never after this object is gone (its posted calls go
    // with it, and its thread is joined first).
    QMetaObject::invokeMethod(
        this,
        [this, generation, answer = std::move(answer)] {
            if (generation == generation_ && answer)
                answer();
        },
        Qt::QueuedConnection);
}

} // namespace platform

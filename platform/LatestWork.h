#pragma once
// Slow work done off the main thread, one piece at a time, its answer handed
// back to the main thread by a queued call: meanwhile the event loop runs
// freely and no input is dropped. A new piece supersedes the one still
// running, which is asked to stop and whose answer is dropped; so is the
// piece still running when the object goes, which is waited for. Main thread
// (but the work itself).
#include <QObject>

#include <cstdint>
#include <functional>
#include <stop_token>
#include <thread>

namespace platform {

class LatestWork : public QObject {
    Q_OBJECT
public:
    // The work, on its thread, returns what to run with its outcome on the
    // main thread. It should end soon once stop is requested.
    using Work = std::function<std::function<void()>(std::stop_token)>;

    LatestWork() = default;
    ~LatestWork() override;
    LatestWork(const LatestWork&) = delete;
    LatestWork& operator=(const LatestWork&) = delete;

    // Asks the piece still running to stop, waits for it, and starts the
    // work on a thread of its own: its answer runs on a later turn of the
    // event loop, unless superseded or cancelled first. Where no thread can
    // be started, the work runs here, and its answer later all the same. An
    // exception that escapes the work is logged, and its answer is none.
    void start(const Work& work);
    // Runs a further step of the answer on a later turn of the event loop,
    // unless superseded or cancelled first.
    void then(std::function<void()> step);
    // Asks the piece still running to stop and waits for it; the answers and
    // steps not yet run are dropped.
    void cancel();

private:
    void deliver(std::uint64_t generation, std::function<void()> answer);

    std::jthread thread_;
    std::uint64_t generation_ = 0; // of the piece whose answer may still run
};

} // namespace platform

#pragma once
// Whether the application has painted a window yet, and work held back until
// it has: work that must not hold back the first window waits for its first
// paint, then runs on the event loop's next turn. Once a paint has been seen,
// work runs on the next turn at once.
//
// Every function: main thread only.
#include <QPointer>

#include <functional>

namespace platform {

class FirstPaint {
public:
    // The application's: it has watched for paints since the application
    // object was made.
    static FirstPaint& application();

    // A watcher of its own, which sees the paints from now on. Without an
    // application object it never sees one.
    FirstPaint();
    // Work still held back is dropped.
    ~FirstPaint();
    FirstPaint(const FirstPaint&) = delete;
    FirstPaint& operator=(const FirstPaint&) = delete;

    bool hasPainted() const;
    // Runs work on the event loop's next turn once a paint has been seen;
    // holds it until then.
    void runAfter(std::function<void()> work);

private:
    class Watcher;
    // Goes with the application object, if that goes first.
    QPointer<Watcher> watcher_;
};

} // namespace platform

#pragma once
// The time a window takes to be idle again after an action, its event loop
// run as the user's window runs it. A text box lays a long document out in
// pieces, one per pass of the event loop on a timer of its own; a
// measurement that asks for the whole layout at once takes another path, and
// misses a layout that never ends.
#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace untilidle {

struct Passes {
    double seconds = 0;        // from the action until the window was idle
    double longestSeconds = 0; // the longest the event loop was held, the action
                               // included: how long a key press may wait
    bool idle = false;         // false when the limit came first
};

// Does the action, then runs the event loop until `done` holds, no event is
// pending and no text box of the window (the window itself included) has a
// layout still to do, or until limitSeconds have passed. `done` waits for
// work the action hands to another thread (a page being read, say).
template <class Action, class Done = bool (*)()>
Passes untilIdleAfter(
    QWidget& window, Action&& action, double limitSeconds = 600, Done done = [] { return true; })
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QList<QTextEdit*> boxes = window.findChildren<QTextEdit*>();
    if (auto* box = qobject_cast<QTextEdit*>(&window))
        boxes.push_back(box);
    const auto layoutPending = [&] {
        return std::any_of(boxes.begin(), boxes.end(), [&](const QTextEdit* box) {
            return !dispatcher->registeredTimers(box->document()->documentLayout()).isEmpty();
        });
    };
    Passes passes;
    QElapsedTimer clock;
    clock.start();
    action();
    passes.longestSeconds = clock.nsecsElapsed() * 1e-9;
    for (;;) {
        QElapsedTimer pass;
        pass.start();
        const bool worked = dispatcher->processEvents(QEventLoop::AllEvents);
        passes.longestSeconds = std::max(passes.longestSeconds, pass.nsecsElapsed() * 1e-9);
        passes.seconds = clock.nsecsElapsed() * 1e-9;
        if (!worked && done() && !layoutPending()) {
            passes.idle = true;
            return passes;
        }
        if (passes.seconds > limitSeconds)
            return passes;
    }
}

} // namespace untilidle

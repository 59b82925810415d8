#include "platform/FirstPaint.h"

#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <vector>

namespace platform {

// Watches every event of the application until the first paint.
class FirstPaint::Watcher : public QObject {
public:
    explicit Watcher(QCoreApplication* app) : QObject(app) { app->installEventFilter(this); }

    bool painted = false;
    std::vector<std::function<void()>> held;

private:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QCoreApplication::instance()->removeEventFilter(this);
            for (auto& work : held)
                runOnMainQueue(std::move(work));
            held.clear();
        }
        return false;
    }
};

FirstPaint& FirstPaint::application()
{
    static FirstPaint applicationWide;
    return applicationWide;
}

namespace {
// The application's watcher starts with the application object, so that no
// paint escapes it, whenever it is first asked for.
void watchFromTheStart()
{
    FirstPaint::application();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(watchFromTheStart)

FirstPaint::FirstPaint()
{
    if (auto* app = QCoreApplication::instance())
        watcher_ = new Watcher(app);
}

FirstPaint::~FirstPaint()
{
    delete watcher_.data();
}

bool FirstPaint::hasPainted() const
{
    return watcher_ && watcher_->painted;
}

void FirstPaint::runAfter(std::function<void()> work)
{
    if (!watcher_)
        return;
    if (watcher_->painted)
        runOnMainQueue(std::move(work));
    else
        watcher_->held.push_back(std::move(work));
}

} // namespace platform

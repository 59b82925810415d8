#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

namespace platform {

void runOnMainQueue(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void drainMainQueue()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace platform

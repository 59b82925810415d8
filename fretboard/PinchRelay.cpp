#include "fretboard/PinchRelay.h"

#include <QGestureEvent>
#include <QNativeGestureEvent>

namespace fretboard {

PinchRelay::PinchRelay(QWidget* surface) : QObject(surface)
{
    surface->setAttribute(Qt::WA_AcceptTouchEvents);
    surface->grabGesture(Qt::PinchGesture);
    // A trackpad pinch over a fret button that ignores it reaches the surface.
    surface->installEventFilter(this);
}

bool PinchRelay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (QGesture* pinch = gestures->gesture(Qt::PinchGesture)) {
            gestures->accept(pinch);
            emit pinched(pinch);
            return true;
        }
    } else if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            emit pinched(watched);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace fretboard

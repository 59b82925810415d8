#pragma once
// Reports pinches on a surface: a touch-screen pinch (Qt's pinch gesture) and,
// on a desktop, a trackpad pinch. Every update of a pinch is one report.
#include <QObject>
#include <QWidget>

namespace fretboard {

class PinchRelay : public QObject {
    Q_OBJECT
public:
    // Watches `surface`; lives as long as the surface.
    explicit PinchRelay(QWidget* surface);

signals:
    // `source` is the gesture, or the surface for a trackpad pinch.
    void pinched(QObject* source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace fretboard

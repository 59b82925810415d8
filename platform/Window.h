#pragma once
// The application's window. It shows its root controller's view and, above
// it, the views of the controllers presented over it, the last one on top.
// Escape dismisses the top presented controller.
#include "platform/ViewController.h"

#include <QRectF>
#include <QStackedLayout>
#include <QWidget>

namespace platform {

enum class UserInterfaceStyle { Unspecified = 0, Light = 1, Dark = 2 };

class Window : public QWidget {
    Q_OBJECT
public:
    Window();
    ~Window() override;

    void setRootViewController(ViewControllerRef controller);
    ViewController* rootViewController() const { return root_.get(); }

    // The frame in points, kept exactly as set; the widget takes it rounded.
    void setFrame(const QRectF& frame);
    QRectF frame() const { return frame_; }

    void setOverrideUserInterfaceStyle(UserInterfaceStyle style);
    UserInterfaceStyle overrideUserInterfaceStyle() const { return style_; }

Q_SIGNALS:
    // The window came back from minimised or hidden.
    void returnedToForeground();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ViewController;
    void pushPresentedView(ViewController* controller);
    void removePresentedView(ViewController* controller);

    QStackedLayout* stack_;
    ViewControllerRef root_;
    QRectF frame_;
    UserInterfaceStyle style_ = UserInterfaceStyle::Unspecified;
    bool wasHidden_ = false;
    bool everShown_ = false;
};

// The dark look: Fusion with a dark palette.
QPalette darkPalette();

} // namespace platform

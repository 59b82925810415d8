#pragma once
// The application's window. It shows its root controller's view and, above
// it, the views of the controllers presented over it, the last one on top.
// Escape dismisses the top presented controller.
//
// Given the size its screens are laid out for (setDesignSize), the window
// also keeps its whole frame, title bar included, on its screen's available
// area, and when it is smaller than that size it shows its content scaled
// down as a whole, keeping its proportions (see Window.cpp for how).
#include "platform/ViewController.h"

#include <QRectF>
#include <QStackedLayout>
#include <QWidget>

class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;

namespace platform {

enum class UserInterfaceStyle { Unspecified = 0, Light = 1, Dark = 2 };

class Window : public QWidget {
    Q_OBJECT
public:
    Window();
    ~Window() override;

    void setRootViewController(ViewControllerRef controller);
    ViewController* rootViewController() const { return root_.get(); }

    // The frame in points, kept exactly as set; the widget takes its size
    // rounded and places its outer frame at that origin of the screen's
    // available area.
    void setFrame(const QRectF& frame);
    QRectF frame() const { return frame_; }

    // The size the screens are laid out for; empty (the default) leaves the
    // content unscaled and the window where it is put.
    void setDesignSize(QSize size);
    QSize designSize() const { return designSize_; }
    // How much the content is scaled down: 1 when the window is at least the
    // design size.
    double contentScale() const { return scale_; }

    void setOverrideUserInterfaceStyle(UserInterfaceStyle style);
    UserInterfaceStyle overrideUserInterfaceStyle() const { return style_; }

Q_SIGNALS:
    // The window came back from minimised or hidden.
    void returnedToForeground();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ViewController;
    void pushPresentedView(ViewController* controller);
    void removePresentedView(ViewController* controller);
    void keepFrameOnScreen();
    void updateScale();

    QStackedLayout* host_;  // holds page_ directly, or the scaling view
    QWidget* page_;         // the content: the stack of views
    QStackedLayout* stack_; // on page_
    QGraphicsScene* scene_ = nullptr;
    QGraphicsView* scaler_ = nullptr;
    QGraphicsProxyWidget* proxy_ = nullptr;
    QSize designSize_;
    double scale_ = 1.0;
    ViewControllerRef root_;
    QRectF frame_;
    UserInterfaceStyle style_ = UserInterfaceStyle::Unspecified;
    bool wasHidden_ = false;
    bool everShown_ = false;
};

// The dark look: Fusion with a dark palette.
QPalette darkPalette();

// The real top-level window showing `widget`: its window, or, for content
// shown scaled inside a Window, that Window. Dialogs open over this one.
QWidget* hostWindow(QWidget* widget);

} // namespace platform

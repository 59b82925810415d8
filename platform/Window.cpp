#include "platform/Window.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <cmath>

// How a window smaller than its design size shows its content.
//
// The screens are laid out at one fixed size. When the window is smaller (a
// 1366 x 768 screen gives 1164 x 768 less the title bar), the content page
// keeps that size and is embedded in a QGraphicsScene through a
// QGraphicsProxyWidget, and a QGraphicsView filling the window shows it scaled
// down by one factor, so it fits whole and keeps its proportions. The proxy
// maps mouse, wheel and keyboard input to the embedded controls, and shows
// their popups (context menus, list drop-downs) in the same scaled scene.
// Dialogs open over the real window instead (hostWindow), as ordinary modal
// windows at their own size.
//
// Qt's own scale factor (QT_SCALE_FACTOR) was the other candidate, but it must
// be chosen before the screens are known, cannot follow the title bar's
// height (known only once a window manager has framed the window), and
// factors below 1 paint the widgets unscaled into a shrunk window with the
// raster backing store. At the design size or larger the page is laid out
// directly in the window, as without scaling; once scaled, it stays in the
// view, which shows it at full size if the window grows back.

namespace platform {
namespace {

// The factor that fits a design of that size into size, keeping its
// proportions: 1 when it fits unscaled.
double fitScale(QSize size, QSize design)
{
    return std::min(
        {1.0, double(size.width()) / design.width(), double(size.height()) / design.height()});
}

// Whether the Tab key stops at the control: as a window's own tab chain, it
// passes over controls that take no keyboard focus, are disabled or hidden, or
// hand their focus to another control.
bool isTabStop(const QWidget* w, const QWidget* page)
{
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
           w->isVisibleTo(page) && !w->focusProxy() && w->window() == page;
}

// The next (or previous) tab stop of the page after `from`, round the page's
// focus chain as a window's chain wraps: from the last stop to the first and
// back. Null when the page has no stop but `from`.
QWidget* nextTabStop(QWidget* page, QWidget* from, bool next)
{
    QWidget* const start = from ? from : page;
    for (QWidget* w = next ? start->nextInFocusChain() : start->previousInFocusChain();
         w && w != start; w = next ? w->nextInFocusChain() : w->previousInFocusChain())
        if (w != page && isTabStop(w, page))
            return w;
    return nullptr;
}

// The proxy that shows the page in the scaled scene. The Tab key reaches it
// through the view and the scene, never through the path on which the
// application marks a real window as one whose focus the keyboard moved; so
// it marks the page itself, and the styles draw the focus frames of its
// controls (push buttons show theirs only in such a window), as they do
// unscaled. Its tab chain also wraps round the page as a window's does,
// instead of ending at the last control.
class ScaledPage : public QGraphicsProxyWidget {
public:
    using QGraphicsProxyWidget::QGraphicsProxyWidget;

protected:
    bool focusNextPrevChild(bool next) override
    {
        QWidget* const page = widget();
        if (!page)
            return QGraphicsProxyWidget::focusNextPrevChild(next);
        page->setAttribute(Qt::WA_KeyboardFocusChange);
        QWidget* const stop = nextTabStop(page, page->focusWidget(), next);
        if (!stop)
            return false;
        stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
};

} // namespace

Window::Window()
{
    host_ = new QStackedLayout(this);
    host_->setContentsMargins(0, 0, 0, 0);
    page_ = new QWidget;
    stack_ = new QStackedLayout(page_);
    stack_->setStackingMode(QStackedLayout::StackOne);
    stack_->setContentsMargins(0, 0, 0, 0);
    host_->addWidget(page_);
    setWindowTitle(QStringLiteral("Cifrário"));
}

Window::~Window()
{
    // Views belong to their controllers: take them out before Qt deletes children.
    while (stack_->count() > 0) {
        QWidget* w = stack_->widget(0);
        stack_->removeWidget(w);
        w->setParent(nullptr);
    }
    if (root_) {
        root_->dismissViewController();
        root_->attachTo(nullptr);
    }
}

void Window::setRootViewController(ViewControllerRef controller)
{
    if (root_) {
        root_->dismissViewController();
        if (root_->isViewLoaded()) {
            stack_->removeWidget(root_->view());
            root_->view()->setParent(nullptr);
        }
        root_->attachTo(nullptr);
    }
    root_ = std::move(controller);
    if (!root_)
        return;
    root_->attachTo(this);
    stack_->insertWidget(0, root_->view());
    stack_->setCurrentIndex(stack_->count() - 1);
}

void Window::pushPresentedView(ViewController* controller)
{
    QWidget* v = controller->view();
    stack_->addWidget(v);
    stack_->setCurrentWidget(v);
    v->setFocus();
}

void Window::removePresentedView(ViewController* controller)
{
    if (!controller->isViewLoaded())
        return;
    QWidget* v = controller->view();
    stack_->removeWidget(v);
    v->setParent(nullptr);
    if (stack_->count() > 0)
        stack_->setCurrentIndex(stack_->count() - 1);
}

void Window::setFrame(const QRectF& frame)
{
    frame_ = frame;
    resize(static_cast<int>(std::lround(frame.width())),
           static_cast<int>(std::lround(frame.height())));
    // move() places the outer frame, so the title bar lands on the screen.
    const QPoint origin(static_cast<int>(std::lround(frame.x())),
                        static_cast<int>(std::lround(frame.y())));
    QScreen* s = screen();
    move(s ? s->availableGeometry().topLeft() + origin : origin);
    updateScale();
}

void Window::setDesignSize(QSize size)
{
    designSize_ = size;
    keepFrameOnScreen();
    updateScale();
}

void Window::keepFrameOnScreen()
{
    QScreen* onScreen = screen();
    if (designSize_.isEmpty() || !onScreen || !isVisible())
        return;
    const QRect area = onScreen->availableGeometry();
    const QRect outer = frameGeometry();
    const QMargins border(geometry().left() - outer.left(), geometry().top() - outer.top(),
                          outer.right() - geometry().right(), outer.bottom() - geometry().bottom());
    const QSize room = area.size().shrunkBy(border);
    if (width() > room.width() || height() > room.height()) {
        // The frame does not fit: shrink to the room left by the frame, and
        // to the design's proportions when that scales the content.
        QSize fitted = size().boundedTo(room);
        const double scale = fitScale(fitted, designSize_);
        if (scale < 1.0)
            fitted = fitted.boundedTo(
                QSize(static_cast<int>(std::lround(designSize_.width() * scale)),
                      static_cast<int>(std::lround(designSize_.height() * scale))));
        setFixedSize(fitted);
    }
    QPoint at = outer.topLeft();
    at.setX(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    at.setY(
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (at != outer.topLeft())
        move(at);
}

void Window::updateScale()
{
    const double s = designSize_.isEmpty() ? 1.0 : fitScale(size(), designSize_);
    scale_ = s;
    if (s < 1.0 && !scaler_) {
        QWidget* focus = page_->focusWidget();
        host_->removeWidget(page_);
        page_->setParent(nullptr);
        page_->resize(designSize_);
        scene_ = new QGraphicsScene(this);
        proxy_ = new ScaledPage;
        proxy_->setWidget(page_);
        scene_->addItem(proxy_);
        proxy_->show(); // the page, taken out of the window, was hidden
        scaler_ = new QGraphicsView(scene_, this);
        scaler_->setFrameShape(QFrame::NoFrame);
        scaler_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scaler_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scaler_->setAlignment(Qt::AlignCenter);
        scaler_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                                QPainter::SmoothPixmapTransform);
        scaler_->viewport()->setBackgroundRole(QPalette::Window);
        scaler_->viewport()->setAutoFillBackground(true);
        host_->addWidget(scaler_);
        host_->setCurrentWidget(scaler_);
        // The view takes the window's focus and hands it to the page's
        // control that had it, or, as a window does, to its first control.
        proxy_->setFocus();
        if (!focus)
            focus = nextTabStop(page_, nullptr, true);
        if (focus)
            focus->setFocus();
    }
    if (scaler_) {
        scene_->setSceneRect(QRectF(QPointF(0, 0), QSizeF(designSize_)));
        scaler_->setTransform(QTransform::fromScale(s, s));
    }
}

QWidget* hostWindow(QWidget* widget)
{
    QWidget* top = widget ? widget->window() : nullptr;
    while (top && top->graphicsProxyWidget() && top->graphicsProxyWidget()->scene()) {
        const auto views = top->graphicsProxyWidget()->scene()->views();
        if (views.isEmpty())
            break;
        top = views.front()->window();
    }
    return top;
}

QPalette darkPalette()
{
    QPalette p;
    const QColor window(37, 37, 40), base(24, 24, 27), text(232, 232, 232), disabled(120, 120, 120),
        accent(232, 160, 48);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(32, 32, 36));
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(52, 52, 56));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, accent);
    p.setColor(QPalette::Disabled, QPalette::Text, disabled);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    return p;
}

void Window::setOverrideUserInterfaceStyle(UserInterfaceStyle style)
{
    style_ = style;
    if (style == UserInterfaceStyle::Dark) {
        if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
            fusion->setParent(this);
            setStyle(fusion);
        }
        // The whole application takes the dark palette: widgets styled by a
        // style sheet and dialogs opened over the window read the
        // application's palette, not the window's.
        QApplication::setPalette(darkPalette());
        setPalette(darkPalette());
        setAutoFillBackground(true);
    } else {
        setPalette(QApplication::palette());
    }
}

void Window::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        auto* e = static_cast<QWindowStateChangeEvent*>(event);
        if ((e->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
            Q_EMIT returnedToForeground();
    }
    QWidget::changeEvent(event);
}

void Window::showEvent(QShowEvent* event)
{
    if (everShown_ && wasHidden_)
        Q_EMIT returnedToForeground();
    everShown_ = true;
    wasHidden_ = false;
    QWidget::showEvent(event);
    keepFrameOnScreen();
}

// A window manager frames the window after it is shown and moves it; the
// frame's size is known from then on.
void Window::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    keepFrameOnScreen();
}

void Window::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateScale();
    keepFrameOnScreen();
}

void Window::hideEvent(QHideEvent* event)
{
    // A hide that is only the window being minimised is reported on restore.
    if (!(windowState() & Qt::WindowMinimized))
        wasHidden_ = true;
    QWidget::hideEvent(event);
}

// Keys the content's controls leave unhandled come here, also through the
// scaling view.
void Window::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && root_ && root_->presentedViewController()) {
        ViewController* top = root_->presentedViewController();
        while (top->presentedViewController())
            top = top->presentedViewController();
        top->dismissViewController();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace platform

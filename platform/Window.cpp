#include "platform/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QWindowStateChangeEvent>
#include <cmath>

namespace platform {

Window::Window()
{
    stack_ = new QStackedLayout(this);
    stack_->setStackingMode(QStackedLayout::StackOne);
    stack_->setContentsMargins(0, 0, 0, 0);
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
    setGeometry(QRect(static_cast<int>(std::lround(frame.x())), static_cast<int>(std::lround(frame.y())),
                      static_cast<int>(std::lround(frame.width())),
                      static_cast<int>(std::lround(frame.height()))));
}

QPalette darkPalette()
{
    QPalette p;
    const QColor window(37, 37, 40), base(24, 24, 27), text(232, 232, 232),
        disabled(120, 120, 120), accent(232, 160, 48);
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
}

void Window::hideEvent(QHideEvent* event)
{
    // A hide that is only the window being minimised is reported on restore.
    if (!(windowState() & Qt::WindowMinimized))
        wasHidden_ = true;
    QWidget::hideEvent(event);
}

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

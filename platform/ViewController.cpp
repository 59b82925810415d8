#include "platform/ViewController.h"

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/Window.h"

#include <QCoreApplication>
#include <QStackedLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace platform {

ViewController::ViewController() = default;

ViewController::~ViewController()
{
    presented_.reset();
    // Deleted later: the view may be the sender of the event being handled.
    // Once the application is closing down no later turn comes.
    if (view_) {
        if (QCoreApplication::closingDown())
            delete view_.data();
        else
            view_->deleteLater();
    }
}

QWidget* ViewController::view()
{
    if (!view_ && !loadingView_) {
        loadingView_ = true;
        QWidget* v = loadView();
        if (!v)
            v = new QWidget;
        view_ = v;
        viewDidLoad();
        loadingView_ = false;
    }
    return view_.data();
}

QWidget* ViewController::loadView()
{
    return new QWidget;
}

void ViewController::presentViewController(ViewControllerRef controller)
{
    if (!controller || controller.get() == this)
        return;
    // A controller that already presents one hands the new one to the top.
    if (presented_) {
        presented_->presentViewController(std::move(controller));
        return;
    }
    presented_ = std::move(controller);
    presented_->presenting_ = this;
    presented_->view();
    viewWillDisappear(true);
    presented_->viewWillAppear(true);
    if (Window* w = window())
        w->pushPresentedView(presented_.get());
    presented_->viewDidAppear(true);
    viewDidDisappear(true);
}

void ViewController::dismissViewController()
{
    // Dismissing a presented controller asks its presenter to let it go.
    if (!presented_ && presenting_) {
        presenting_->dismissViewController();
        return;
    }
    detachPresented();
}

void ViewController::detachPresented()
{
    if (!presented_)
        return;
    presented_->detachPresented();
    presented_->viewWillDisappear(true);
    viewWillAppear(true);
    if (Window* w = window())
        w->removePresentedView(presented_.get());
    presented_->viewDidDisappear(true);
    viewDidAppear(true);
    presented_->presenting_ = nullptr;
    // Released on a later turn: the dismissed controller may be the one whose
    // handler is running now. It stays owned here until then, never by the
    // queued work: work still queued when the application ends is destroyed
    // with the application's event queue, under that queue's lock, and a
    // screen released there would deadlock deleting its view.
    dismissed_.push_back(std::move(presented_));
    runOnMainQueue([self = QPointer<ViewController>(this)] {
        if (self)
            std::vector<ViewControllerRef>().swap(self->dismissed_);
    });
}

void ViewController::registerSegue(const std::string& identifier, SegueFactory factory)
{
    segues_[identifier] = std::move(factory);
}

bool ViewController::performSegue(const std::string& identifier, QObject* sender)
{
    auto it = segues_.find(identifier);
    if (it == segues_.end()) {
        log("Segue desconhecida: " + identifier);
        return false;
    }
    Segue segue{identifier, this, it->second(sender)};
    if (!segue.destination)
        return false;
    prepareForSegue(segue, sender);
    presentViewController(segue.destination);
    return true;
}

void ViewController::prepareForSegue(Segue&, QObject*) {}

Window* ViewController::window() const
{
    const ViewController* c = this;
    while (c) {
        if (c->window_)
            return c->window_;
        c = c->presenting_ ? c->presenting_ : c->parentContainer_;
    }
    return nullptr;
}

void ViewController::attachTo(Window* window)
{
    window_ = window;
}

// --- NavigationController ---------------------------------------------------

NavigationController::NavigationController(ViewControllerRef root)
{
    if (root)
        pushViewController(std::move(root));
}

QWidget* NavigationController::loadView()
{
    auto* w = new QWidget;
    new QStackedLayout(w);
    return w;
}

void NavigationController::pushViewController(ViewControllerRef controller)
{
    if (!controller)
        return;
    controller->parentContainer_ = this;
    stack_.push_back(std::move(controller));
    showTop();
}

ViewControllerRef NavigationController::popViewController()
{
    if (stack_.size() <= 1)
        return nullptr;
    ViewControllerRef top = stack_.back();
    stack_.pop_back();
    if (top->view_)
        top->view_->setParent(nullptr);
    top->parentContainer_ = nullptr;
    showTop();
    return top;
}

ViewController* NavigationController::topViewController() const
{
    return stack_.empty() ? nullptr : stack_.back().get();
}

void NavigationController::showTop()
{
    if (!isViewLoaded() || stack_.empty())
        return;
    auto* layout = static_cast<QStackedLayout*>(view()->layout());
    QWidget* top = stack_.back()->view();
    if (layout->indexOf(top) < 0)
        layout->addWidget(top);
    layout->setCurrentWidget(top);
}

// --- TabBarController ---------------------------------------------------------

QWidget* TabBarController::loadView()
{
    auto* w = new QWidget;
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tabs = new QTabWidget(w);
    tabs->setObjectName(QStringLiteral("tabBar"));
    tabs->setTabPosition(QTabWidget::South);
    layout->addWidget(tabs);
    return w;
}

void TabBarController::setViewControllers(std::vector<ViewControllerRef> controllers)
{
    tabs_ = std::move(controllers);
    for (auto& c : tabs_)
        c->parentContainer_ = this;
    if (auto* tabs = outlet<QTabWidget>("tabBar")) {
        tabs->clear();
        for (auto& c : tabs_)
            tabs->addTab(c->view(), c->objectName());
    }
}

void TabBarController::setSelectedIndex(int index)
{
    selected_ = index;
    if (auto* tabs = outlet<QTabWidget>("tabBar"))
        tabs->setCurrentIndex(index);
}

ViewController* TabBarController::selectedViewController() const
{
    if (selected_ < 0 || selected_ >= static_cast<int>(tabs_.size()))
        return nullptr;
    return tabs_[static_cast<std::size_t>(selected_)].get();
}

} // namespace platform

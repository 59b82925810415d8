#pragma once
// Screens. A view controller owns one view, made on first use by loadView
// (a screen builds its compiled layout there), then told viewDidLoad. Controllers present others
// modally: the presented controller's view covers the presenter's inside the
// same window until it is dismissed. Segues are named transitions that make a
// destination controller, let the source prepare it, then present it.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ViewController;
using ViewControllerRef = std::shared_ptr<ViewController>;

struct Segue {
    std::string identifier;
    ViewController* source = nullptr;
    ViewControllerRef destination;
};

class ViewController : public QObject, public std::enable_shared_from_this<ViewController> {
    Q_OBJECT
public:
    ViewController();
    ~ViewController() override;

    // The view, loaded (and viewDidLoad sent) on first access.
    QWidget* view();
    bool isViewLoaded() const { return !view_.isNull(); }

    // Called once when the view has loaded; subclasses call the base first.
    virtual void viewDidLoad() {}
    // Called around the view coming on screen or leaving it: when this
    // controller is presented or dismissed, or a controller presented over it
    // comes or goes.
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }

    // The control of this screen with the given object name (its outlet).
    template <class T> T* outlet(const char* name)
    {
        return view() ? view()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }

    // Modal presentation.
    void presentViewController(ViewControllerRef controller);
    void dismissViewController();
    ViewController* presentedViewController() const { return presented_.get(); }
    ViewController* presentingViewController() const { return presenting_; }

    // Segues: a factory per identifier makes the destination; it is told the
    // control that performs the segue, as one identifier may lead from two
    // controls to two kinds of screen.
    using SegueFactory = std::function<ViewControllerRef(QObject* sender)>;
    void registerSegue(const std::string& identifier, SegueFactory factory);
    // Makes the destination, sends prepareForSegue, presents it. False when the
    // identifier is unknown.
    bool performSegue(const std::string& identifier, QObject* sender);
    virtual void prepareForSegue(Segue& segue, QObject* sender);

    // The window hosting this controller's view chain, if any.
    class Window* window() const;

protected:
    // Makes the view; the default makes a plain one.
    virtual QWidget* loadView();

private:
    friend class Window;
    friend class NavigationController;
    friend class TabBarController;
    void attachTo(class Window* window);
    void detachPresented();

    QPointer<QWidget> view_;
    bool loadingView_ = false;
    ViewControllerRef presented_;
    // Controllers dismissed by this one, released on the next turn.
    std::vector<ViewControllerRef> dismissed_;
    ViewController* presenting_ = nullptr;
    ViewController* parentContainer_ = nullptr;
    class Window* window_ = nullptr;
    std::map<std::string, SegueFactory> segues_;
};

// A stack of controllers showing the top one.
class NavigationController : public ViewController {
    Q_OBJECT
public:
    explicit NavigationController(ViewControllerRef root = nullptr);
    void pushViewController(ViewControllerRef controller);
    ViewControllerRef popViewController();
    ViewController* topViewController() const;
    const std::vector<ViewControllerRef>& viewControllers() const { return stack_; }

protected:
    QWidget* loadView() override;

private:
    void showTop();
    std::vector<ViewControllerRef> stack_;
};

// Tabs, one controller each, showing the selected one.
class TabBarController : public ViewController {
    Q_OBJECT
public:
    TabBarController() = default;
    void setViewControllers(std::vector<ViewControllerRef> controllers);
    const std::vector<ViewControllerRef>& viewControllers() const { return tabs_; }
    void setSelectedIndex(int index);
    ViewController* selectedViewController() const;

protected:
    QWidget* loadView() override;

private:
    std::vector<ViewControllerRef> tabs_;
    int selected_ = 0;
};

} // namespace platform

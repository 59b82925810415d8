// The walk on return to the foreground: which controller is reached, and only a
// main screen rebuilds its bank.
#include "app/AppDelegate.h"
#include "finder/FirstViewController.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

namespace {

class CountingMain : public finder::FirstViewController {
public:
    int loads = 0;
    void LoadAudioSessions() override { ++loads; }
    // Start-up loads the bank once; only the reloads count here.
    void viewDidLoad() override
    {
        finder::FirstViewController::viewDidLoad();
        loads = 0;
    }
};

const std::string kCalled = "applicationWillEnterForeground called";
const std::string kNotMain = "Current view controller não é do tipo FirstViewController";

struct Foreground : ::testing::Test {
    app::AppDelegate delegate;
    std::shared_ptr<platform::Window> window = std::make_shared<platform::Window>();
    void SetUp() override { delegate.window = window; }
    std::vector<std::string> walk()
    {
        platform::LogCapture log;
        delegate.applicationWillEnterForeground();
        return log.lines();
    }
};

TEST_F(Foreground, MainScreenAsRootIsRebuiltEachTime)
{
    auto main = std::make_shared<CountingMain>();
    window->setRootViewController(main);
    EXPECT_EQ(walk(), std::vector<std::string>{kCalled});
    EXPECT_EQ(walk(), std::vector<std::string>{kCalled});
    EXPECT_EQ(main->loads, 2);
}

TEST_F(Foreground, PresentedScreensHideTheMainScreen)
{
    auto main = std::make_shared<CountingMain>();
    window->setRootViewController(main);
    main->presentViewController(std::make_shared<platform::ViewController>());
    EXPECT_EQ(walk(), (std::vector<std::string>{kCalled, kNotMain}));
    EXPECT_EQ(main->loads, 0);

    // Two presented: the later one is tested; a main screen there is rebuilt.
    auto top = std::make_shared<CountingMain>();
    main->presentViewController(top);
    EXPECT_EQ(main->presentedViewController()->presentedViewController(), top.get());
    EXPECT_EQ(walk(), std::vector<std::string>{kCalled});
    EXPECT_EQ(top->loads, 1);
    EXPECT_EQ(main->loads, 0);
}

TEST_F(Foreground, OneNavigationControllerIsUnwrappedOnce)
{
    auto main = std::make_shared<CountingMain>();
    window->setRootViewController(std::make_shared<platform::NavigationController>(main));
    EXPECT_EQ(walk(), std::vector<std::string>{kCalled});
    EXPECT_EQ(main->loads, 1);

    auto inner = std::make_shared<platform::NavigationController>(main);
    window->setRootViewController(std::make_shared<platform::NavigationController>(inner));
    EXPECT_EQ(walk(), (std::vector<std::string>{kCalled, kNotMain}));

    // Last presented is a navigation controller with a main screen on top.
    auto root = std::make_shared<platform::ViewController>();
    auto presentedMain = std::make_shared<CountingMain>();
    window->setRootViewController(root);
    root->presentViewController(std::make_shared<platform::NavigationController>(presentedMain));
    EXPECT_EQ(walk(), std::vector<std::string>{kCalled});
    EXPECT_EQ(presentedMain->loads, 1);
}

TEST_F(Foreground, TabBarAndMissingWindowLogOnly)
{
    auto main = std::make_shared<CountingMain>();
    auto tabs = std::make_shared<platform::TabBarController>();
    tabs->setViewControllers({main});
    window->setRootViewController(tabs);
    EXPECT_EQ(walk(), (std::vector<std::string>{kCalled, kNotMain}));
    EXPECT_EQ(main->loads, 0);

    delegate.window.reset();
    EXPECT_EQ(walk(), (std::vector<std::string>{kCalled, kNotMain}));
}

} // namespace

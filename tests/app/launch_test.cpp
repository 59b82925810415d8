// The launch handler: window size rule, appearance, log line, subscription and
// the audio-session calls, on both system versions.
#include "app/AppDelegate.h"
#include "finder/FirstViewController.h"
#include "platform/Log.h"
#include "platform/NotificationCenter.h"
#include "platform/System.h"
#include "support/FakePageFetcher.h"

#include <gtest/gtest.h>

namespace {

// A session whose calls fail with the given texts; it opens no device.
class FakeSession : public platform::AudioSession {
public:
    std::string categoryError, activationError;
    int calls = 0;
    bool logsCalls = false; // "session: category", "session: active"
    platform::Result<void> setCategory(Category) override
    {
        if (logsCalls)
            platform::log("session: category");
        return answer(categoryError);
    }
    platform::Result<void> setActive(bool) override
    {
        if (logsCalls)
            platform::log("session: active");
        return answer(activationError);
    }

private:
    platform::Result<void> answer(const std::string& failure)
    {
        ++calls;
        if (failure.empty())
            return {};
        return platform::failure(failure);
    }
};

struct Launch : ::testing::Test {
    FakeSession session;
    platform::Application application;
    app::AppDelegate delegate{session};
    std::shared_ptr<platform::Window> window = std::make_shared<platform::Window>();

    void SetUp() override
    {
        platform::setSystemVersion(13);
        delegate.window = window;
    }
    void TearDown() override
    {
        platform::setMainScreenBounds(std::nullopt);
        platform::setSystemVersion(13);
    }
    platform::Scene& sceneWithWindow()
    {
        auto& scene = application.addScene(std::make_unique<platform::Scene>());
        scene.addWindow(window.get());
        return scene;
    }
};

TEST_F(Launch, WindowAndSceneTakeTheSmallerOfLimitAndScreen)
{
    struct Case {
        QSizeF screen;
        QSizeF expected;
    };
    const Case cases[] = {{{1366, 1024}, {1163.6363636363637, 800.0}},
                          {{1024, 1366}, {1024.0, 800.0}},
                          {{390, 844}, {390.0, 800.0}},
                          {{1024, 768}, {1024.0, 768.0}}};
    auto& scene = sceneWithWindow();
    for (const auto& c : cases) {
        platform::setMainScreenBounds(c.screen);
        EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
        EXPECT_EQ(window->frame(), QRectF(QPointF(0, 0), c.expected));
        EXPECT_EQ(scene.sizeRestrictions()->minimumSize(), c.expected);
        EXPECT_EQ(scene.sizeRestrictions()->maximumSize(), c.expected);
    }
    EXPECT_DOUBLE_EQ(app::AppDelegate::kHeightLimit * app::AppDelegate::kAspectFactor,
                     1163.6363636363637);
    EXPECT_EQ(window->overrideUserInterfaceStyle(), platform::UserInterfaceStyle::Dark);
}

TEST_F(Launch, OlderSystemTouchesNoSizeNorAppearanceButDoesTheRest)
{
    platform::setSystemVersion(12);
    auto& scene = sceneWithWindow();
    window->setFrame(QRectF(5, 6, 300, 200));
    platform::setMainScreenBounds(QSizeF(1366, 1024));
    platform::LogCapture log;
    EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
    EXPECT_EQ(window->frame(), QRectF(5, 6, 300, 200));
    EXPECT_TRUE(scene.sizeRestrictions()->maximumSize().isEmpty());
    EXPECT_EQ(window->overrideUserInterfaceStyle(), platform::UserInterfaceStyle::Unspecified);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"didFinishLaunchingWithOptions called"});
    EXPECT_EQ(session.calls, 2);
}

TEST_F(Launch, WithoutSceneOrWindowOnlyTheDelegateWindowIsStyled)
{
    platform::setMainScreenBounds(QSizeF(1366, 1024));
    window->setFrame(QRectF(0, 0, 10, 10));
    EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
    EXPECT_EQ(window->frame(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(window->overrideUserInterfaceStyle(), platform::UserInterfaceStyle::Dark);

    // A scene with no window still gets its size limits.
    auto& bare = application.addScene(std::make_unique<platform::Scene>());
    EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
    EXPECT_EQ(bare.sizeRestrictions()->maximumSize(), QSizeF(1163.6363636363637, 800.0));
}

TEST_F(Launch, EachAudioSessionFailureLogsItsOwnLine)
{
    const std::string category = "Erro ao definir a categoria da sessão de áudio: ";
    const std::string activation = "Erro ao ativar a sessão de áudio: ";
    const std::string first = "didFinishLaunchingWithOptions called";
    {
        session.categoryError = "categoria recusada";
        platform::LogCapture log;
        EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
        EXPECT_EQ(log.lines(), (std::vector<std::string>{first, category + "categoria recusada"}));
    }
    {
        session.categoryError.clear();
        session.activationError = "sem dispositivo";
        platform::LogCapture log;
        EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
        EXPECT_EQ(log.lines(), (std::vector<std::string>{first, activation + "sem dispositivo"}));
    }
    {
        session.categoryError = "A";
        session.activationError = "B";
        platform::LogCapture log;
        EXPECT_TRUE(delegate.didFinishLaunching(application, {}));
        EXPECT_EQ(log.lines(), (std::vector<std::string>{first, category + "A", activation + "B"}));
    }
}

TEST_F(Launch, SubscribesToTheForegroundNotification)
{
    delegate.didFinishLaunching(application, {});
    platform::LogCapture log;
    platform::NotificationCenter::defaultCenter().postNotification(
        platform::kApplicationWillEnterForegroundNotification);
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ(log.lines().front(), "applicationWillEnterForeground called");
}

// The main screen, noting in the log when its view has loaded.
class NotingMain : public finder::FirstViewController {
public:
    NotingMain() : finder::FirstViewController(std::make_unique<FakePageFetcher>()) {}
    void viewDidLoad() override
    {
        platform::log("main view loaded");
        finder::FirstViewController::viewDidLoad();
    }
};

TEST_F(Launch, TheLaunchHandlerRunsBeforeTheMainScreenLoads)
{
    session.logsCalls = true;
    platform::LogCapture log;
    platform::launch(application, delegate, [] { return std::make_shared<NotingMain>(); });
    const auto launched = delegate.window;
    const auto lines = log.lines();
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    ASSERT_LT(at("main view loaded"), static_cast<long>(lines.size()));
    EXPECT_EQ(at("didFinishLaunchingWithOptions called"), 0);
    EXPECT_EQ(at("session: category"), 1);
    EXPECT_EQ(at("session: active"), 2);
    EXPECT_GT(at("main view loaded"), 2); // a font notice may come between
    ASSERT_NE(launched, nullptr);
    EXPECT_NE(dynamic_cast<NotingMain*>(launched->rootViewController()), nullptr);
}

// Restoring the minimised window is a return to the foreground: the launch
// handler's subscriber hears of it.
TEST_F(Launch, RestoringTheWindowReachesTheForegroundHandler)
{
    platform::launch(application, delegate,
                     [] { return std::make_shared<platform::ViewController>(); });
    const auto launched = delegate.window;
    platform::LogCapture log;
    launched->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(log.lines().empty());
    launched->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(log.contains("applicationWillEnterForeground called"));
}

} // namespace

// The program's main screen, as the storyboard makes it, keeps its import
// boxes to their budget of showing time by the real clock; every other
// screen a test makes gets a clock that stands still.
#include "app/Storyboard.h"
#include "platform/PageView.h"
#include "platform/TextView.h"

#include <gtest/gtest.h>

#include <chrono>

TEST(Storyboard, TheImportBoxesKeepTo80MillisecondsOfTheSteadyClock)
{
    using namespace std::chrono_literals;
    auto main = app::makeMainStoryboard();
    QWidget* view = main->view();
    const platform::LayoutBudget budgets[] = {
        view->findChild<platform::PageView*>("WebViewCifra")->layoutBudget(),
        view->findChild<platform::TextView*>("textHTML")->layoutBudget(),
        view->findChild<platform::TextView*>("textPlain")->layoutBudget()};
    for (const platform::LayoutBudget& budget : budgets) {
        EXPECT_EQ(budget.limit, 80ms);
        const auto before = std::chrono::steady_clock::now().time_since_epoch();
        EXPECT_GE(budget.clock(), before);
    }
    EXPECT_EQ(platform::LayoutBudget{}.clock(), 0ns);
}

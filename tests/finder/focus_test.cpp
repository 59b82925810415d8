// Keyboard focus shows on every stop of the main screen, in the dark look.
#include "MainScreenFixture.h"
#include "support/FocusStops.h"

#include <algorithm>

TEST_F(MainScreen, EveryFocusStopShowsItsFocus)
{
    testsupport::DarkLook dark;
    QWidget* view = screen->view();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));

    const testsupport::FocusStops round = testsupport::tabRound(view);
    EXPECT_TRUE(round.comesRound);
    EXPECT_EQ(round.unseen, std::vector<std::string>{});
    for (const char* stop : {"tableViewCifras", "tableViewFav", "FavoriteOnOff", "AudioOnOff",
                             "qt_tabwidget_tabbar", "searchBar"})
        EXPECT_NE(std::find(round.stops.begin(), round.stops.end(), stop), round.stops.end())
            << stop;
}

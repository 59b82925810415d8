// Keyboard focus shows on every stop of the main screen, in the dark look:
// tabbing through, each control that takes focus looks clearly different
// while it has it than once focus has moved on.
#include "MainScreenFixture.h"
#include "platform/Window.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

// The dark look for one test: Fusion with the dark palette, as the launched
// program has it; the previous palette comes back afterwards.
class DarkLook {
public:
    DarkLook() : palette_(QApplication::palette())
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(platform::darkPalette());
    }
    ~DarkLook() { QApplication::setPalette(palette_); }

private:
    QPalette palette_;
};

// Pixels whose colour differs between the two pictures by at least a third of
// the scale in some channel: a change the eye sees at once, unlike the faint
// frame of a few grey levels that some styles draw.
int clearlyChangedPixels(const QImage& a, const QImage& b)
{
    int changed = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue())}) >= 85)
                ++changed;
        }
    return changed;
}

std::string nameOf(const QWidget* widget)
{
    return (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                           : widget->objectName())
        .toStdString();
}

TEST_F(MainScreen, EveryFocusStopShowsItsFocus)
{
    DarkLook dark;
    QWidget* view = screen->view();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));

    std::vector<std::string> stops;
    QTest::keyClick(view, Qt::Key_Tab);
    QWidget* const first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    QWidget* current = first;
    do {
        const QImage focused = current->grab().toImage();
        QTest::keyClick(current, Qt::Key_Tab);
        QWidget* const next = QApplication::focusWidget();
        ASSERT_NE(next, current) << nameOf(current) << " keeps the focus";
        // A frame round the control, or its text lit, at the least.
        EXPECT_GE(clearlyChangedPixels(focused, current->grab().toImage()), 40)
            << nameOf(current) << " shows no focus";
        stops.push_back(nameOf(current));
        current = next;
    } while (current != first && stops.size() < 80);
    EXPECT_EQ(current, first) << "the tab chain does not come round";
    for (const char* stop : {"tableViewCifras", "tableViewFav", "FavoriteOnOff", "AudioOnOff",
                             "qt_tabwidget_tabbar", "searchBar"})
        EXPECT_NE(std::find(stops.begin(), stops.end(), stop), stops.end()) << stop;
}

} // namespace

#pragma once
// Tabbing round a shown screen in the dark look: each stop's picture with the
// keyboard focus and once focus has moved on, and whether the two differ
// clearly enough to see.
#include "platform/Window.h"

#include <QApplication>
#include <QImage>
#include <QStyleFactory>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

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
    DarkLook(const DarkLook&) = delete;
    DarkLook& operator=(const DarkLook&) = delete;

private:
    QPalette palette_;
};

// Pixels whose colour differs between the two pictures by at least a third of
// the scale in some channel: a change the eye sees at once, unlike the faint
// frame of a few grey levels that some styles draw.
inline int clearlyChangedPixels(const QImage& a, const QImage& b)
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

inline std::string nameOf(const QWidget* widget)
{
    return (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                           : widget->objectName())
        .toStdString();
}

struct FocusStops {
    std::vector<std::string> stops;  // in tab order, from the first
    std::vector<std::string> unseen; // stops whose focus does not show
    std::vector<int> changed;        // per stop, the pixels its focus changes clearly
    bool comesRound = false;         // the chain leads back to the first stop
};

// How a round is driven: where the Tab key goes, which control has the focus,
// and how a control looks.
struct TabRoundDriver {
    std::function<void()> pressTab;
    std::function<QWidget*()> focused;
    std::function<QImage(QWidget*)> picture;
};

// Tabs round from the first stop the Tab key reaches. A focused stop must
// look different from itself unfocused in at least 40 pixels: a frame round
// the control, or its text lit, at the least.
inline FocusStops tabRound(const TabRoundDriver& driver)
{
    FocusStops result;
    driver.pressTab();
    QWidget* const first = driver.focused();
    QWidget* current = first;
    while (current && result.stops.size() < 80) {
        const QImage focused = driver.picture(current);
        driver.pressTab();
        QWidget* const next = driver.focused();
        const int changed = clearlyChangedPixels(focused, driver.picture(current));
        result.stops.push_back(nameOf(current));
        result.changed.push_back(changed);
        if (next == current || changed < 40)
            result.unseen.push_back(nameOf(current));
        if (next == current)
            break;
        current = next;
        if (current == first) {
            result.comesRound = true;
            break;
        }
    }
    return result;
}

// Tabs round `view`, a shown and active window, each control pictured by
// itself.
inline FocusStops tabRound(QWidget* view)
{
    auto target = std::make_shared<QWidget*>(view); // the view, then the focused control
    return tabRound(TabRoundDriver{[target] {
                                       QTest::keyClick(*target, Qt::Key_Tab);
                                       *target = QApplication::focusWidget();
                                   },
                                   [] { return QApplication::focusWidget(); },
                                   [](QWidget* control) { return control->grab().toImage(); }});
}

} // namespace testsupport

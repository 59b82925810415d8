// The fretboard as drawn: the view's buttons and labels, chords with their
// root marks, and clearing.
#include "ScreenFixture.h"

#include "fretboard/model/FretTag.h"

#include <QLabel>

using fretboardtest::MainScreenFretboard;

namespace {

// Button and label placement as a player reads the neck: string 6 on top,
// frets rising to the right from the open strings, spaces narrowing, labels
// on their strings' lines left of everything, all inside the view.
void expectNeckLayout(const fretboard::FretboardView& view)
{
    const QRect inside = view.rect();
    for (int string = 1; string <= 6; ++string) {
        auto* label = view.findChild<QLabel*>(QStringLiteral("cdr%1").arg(string));
        ASSERT_NE(label, nullptr) << string;
        EXPECT_TRUE(inside.contains(label->geometry())) << string;
        int lastWidth = 1 << 20;
        for (int fret = 0; fret <= 15; ++fret) {
            const fretboard::Position at{string, fret};
            auto* button = view.findChild<platform::Button*>(
                QString::fromStdString(fretboard::positionName(at)));
            ASSERT_NE(button, nullptr) << fretboard::positionName(at);
            EXPECT_EQ(button->tag(), fretboard::tagForPosition(at));
            const QRect area = button->geometry();
            EXPECT_TRUE(inside.contains(area)) << fretboard::positionName(at);
            EXPECT_GT(area.left(), label->geometry().right());
            EXPECT_NEAR(area.center().y(), label->geometry().center().y(), 2);
            if (fret > 0) {
                const QRect before = view.findChild<platform::Button*>(
                                             QStringLiteral("C%1C%2").arg(string).arg(fret - 1))
                                         ->geometry();
                EXPECT_GT(area.left(), before.right()) << fretboard::positionName(at);
            }
            if (fret > 1) {
                EXPECT_LT(area.width(), lastWidth) << fretboard::positionName(at);
            }
            lastWidth = area.width();
            if (string > 1) {
                const QRect below = view.findChild<platform::Button*>(
                                            QStringLiteral("C%1C%2").arg(string - 1).arg(fret))
                                        ->geometry();
                EXPECT_LT(area.bottom(), below.top()) << fretboard::positionName(at);
            }
        }
    }
}

} // namespace

TEST_F(MainScreenFretboard, ViewHoldsTheNamedButtonsAndLabelsOnTheNeckAtAnySize)
{
    auto* view = screen->view()->findChild<fretboard::FretboardView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->size(), QSize(1100, 230));
    EXPECT_EQ(view->findChildren<platform::Button*>().size(), 96);
    expectNeckLayout(*view);
    screen->view()->show(); // a hidden widget hears of its new size only when shown
    view->resize(560, 120);
    expectNeckLayout(*view);

    // The screen found all 96 by name.
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret)
            EXPECT_EQ(screen->fretButton({string, fret})->objectName().toStdString(),
                      fretboard::positionName({string, fret}));
    EXPECT_EQ(screen->fretButtonNamed("C3C12"), screen->fretButton({3, 12}));
    for (const char* name : {"C3C012", "C3C16", "C7C1", "C3C ", "", "nC3C1"})
        EXPECT_EQ(screen->fretButtonNamed(name), nullptr) << name;
}

TEST_F(MainScreenFretboard, MarksAreSeenOverThePicture)
{
    screen->setChordNeck(" ", "1", "0", "2", "3", " ");
    auto* view = screen->view()->findChild<fretboard::FretboardView*>();
    const QImage shot = view->grab().toImage();
    const auto colourAt = [&](const char* name) {
        return shot.pixelColor(button(name)->geometry().center());
    };
    const QColor root = colourAt("C2C1"); // the red root ball
    EXPECT_GT(root.red(), root.green() + 60);
    const QColor ball = colourAt("C3C0"); // the ivory ball
    EXPECT_GT(ball.lightness(), 170);
    const QColor wood = colourAt("C3C1");
    EXPECT_LT(wood.lightness(), 110);
}

TEST_F(MainScreenFretboard, ChordIsDrawnWithItsRootPositionsMarked)
{
    screen->setChordNeck(" ", "1", "0", "2", "3", " ");
    EXPECT_EQ(screen->marks(), "C2C1:T C3C0:B C4C2:B C5C3:T");

    screen->tonicaText->setText("*");
    screen->ClearNeck("*");
    screen->setChordNeck(" ", "1", "0", "2", "3", " ");
    EXPECT_EQ(screen->marks(), "C2C1:B C3C0:B C4C2:B C5C3:B");

    // A major: its third C# on string 2. Both names of that note mark it.
    for (const char* root : {"Db ", "C# "}) {
        screen->tonicaText->setText(root);
        screen->ClearNeck("*");
        screen->setChordNeck("0", "2", "2", "2", "0", " ");
        EXPECT_EQ(screen->marks(), "C1C0:B C2C2:T C3C2:B C4C2:B C5C0:B") << root;
    }
    screen->tonicaText->setText("C ");
    screen->ClearNeck("*");
    screen->setChordNeck("0", "2", "2", "2", "0", " ");
    EXPECT_EQ(screen->marks(), "C1C0:B C2C2:B C3C2:B C4C2:B C5C0:B");
}

TEST_F(MainScreenFretboard, DrawingAddsMarksAndSkipsTextsThatNameNoPosition)
{
    screen->setChordNeck(" ", " ", " ", " ", "3", " ");
    screen->setChordNeck(" ", " ", " ", " ", "5", " ");
    EXPECT_EQ(screen->marks(), "C5C3:T C5C5:B");

    screen->ClearNeck("*");
    screen->setChordNeck("16", "01", "", " 2", "12", "15");
    EXPECT_EQ(screen->marks(), "C5C12:B C6C15:B");
}

TEST_F(MainScreenFretboard, ClearingTakesOneStringOrAllAndNothingElse)
{
    const auto drawEverything = [&] {
        screen->setChordNeck("0", "0", "1", "2", "2", "0");
        for (const auto& b : screen->fretButtons)
            b->setTitle("t");
    };
    drawEverything();
    const std::string all = screen->marks();
    for (const char* other : {"7", "0", "", "**", " 3", "3 "}) {
        screen->ClearNeck(other);
        EXPECT_EQ(screen->marks(), all) << other;
        EXPECT_EQ(screen->titled(), 96) << other;
    }

    screen->ClearNeck("3");
    EXPECT_EQ(screen->marks(), "C1C0:B C2C0:B C4C2:B C5C2:B C6C0:B");
    EXPECT_EQ(screen->titled(), 80);
    EXPECT_EQ(screen->pattern(), "x,1,0,2,3,x"); // labels untouched

    screen->ClearNeck("*");
    EXPECT_EQ(screen->marks(), "");
    EXPECT_EQ(screen->titled(), 0);

    drawEverything();
    screen->ClearNeckAll(screen.get());
    EXPECT_EQ(screen->marks(), "");
    EXPECT_EQ(screen->titled(), 0);
    EXPECT_EQ(screen->pattern(), "x,x,x,x,x,x");
    EXPECT_TRUE(screen->filterRequests.empty());
}

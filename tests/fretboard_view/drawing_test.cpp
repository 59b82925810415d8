// The fretboard as drawn: the view's buttons and labels, chords with their
// root marks, and clearing.
#include "ScreenFixture.h"

#include "fretboard/model/FretTag.h"

using fretboardtest::Fretboard;

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

TEST_F(Fretboard, ViewHoldsTheNamedButtonsAndLabelsOnTheNeckAtAnySize)
{
    EXPECT_EQ(panel->size(), QSize(1100, 230));
    EXPECT_EQ(panel->findChildren<platform::Button*>().size(), 96);
    expectNeckLayout(*panel);
    host->show(); // a hidden widget hears of its new size only when shown
    panel->resize(560, 120);
    expectNeckLayout(*panel);

    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret)
            EXPECT_EQ(panel->fretButton({string, fret})->objectName().toStdString(),
                      fretboard::positionName({string, fret}));
    EXPECT_EQ(panel->fretButtonNamed("C3C12"), panel->fretButton({3, 12}));
    for (const char* name : {"C3C012", "C3C16", "C7C1", "C3C ", "", "nC3C1"})
        EXPECT_EQ(panel->fretButtonNamed(name), nullptr) << name;
    EXPECT_EQ(panel->fretButton({7, 1}), nullptr);
    EXPECT_EQ(panel->fretButton({1, 16}), nullptr);
}

TEST_F(Fretboard, MarksAreSeenOverThePicture)
{
    panel->setChordNeck(fretboardtest::frets({" ", "1", "0", "2", "3", " "}));
    const QImage shot = panel->grab().toImage();
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

TEST_F(Fretboard, ChordIsDrawnWithItsRootPositionsMarked)
{
    panel->setChordNeck(fretboardtest::frets({" ", "1", "0", "2", "3", " "}));
    EXPECT_EQ(marks(), "C2C1:T C3C0:B C4C2:B C5C3:T");

    panel->showChord(fretboardtest::frets({" ", "1", "0", "2", "3", " "}), "*");
    EXPECT_EQ(marks(), "C2C1:B C3C0:B C4C2:B C5C3:B");

    // A major: its third C# on string 2. Both names of that note mark it.
    for (const char* root : {"Db ", "C# "}) {
        panel->showChord(fretboardtest::frets({"0", "2", "2", "2", "0", " "}), root);
        EXPECT_EQ(marks(), "C1C0:B C2C2:T C3C2:B C4C2:B C5C0:B") << root;
        EXPECT_EQ(pattern(), "0,2,2,2,0,x");
    }
    panel->showChord(fretboardtest::frets({"0", "2", "2", "2", "0", " "}), "C ");
    EXPECT_EQ(marks(), "C1C0:B C2C2:B C3C2:B C4C2:B C5C0:B");
}

// The eye before the ear: a chord shown or tapped is on the board when its
// notes start.
TEST_F(Fretboard, AChordIsDrawnBeforeItSounds)
{
    std::vector<std::string> marksWhenSounding;
    QObject::connect(panel, &fretboard::FretboardPanel::chordSounding,
                     [&] { marksWhenSounding.push_back(marks()); });
    panel->showChord(fretboardtest::frets({" ", "1", "0", "2", "3", " "}), "C ");
    panel->fretButtonNamed("C1C3")->click();
    EXPECT_EQ(marksWhenSounding, (std::vector<std::string>{"C2C1:T C3C0:B C4C2:B C5C3:T",
                                                           "C1C3:B C2C1:T C3C0:B C4C2:B C5C3:T"}));
}

TEST_F(Fretboard, DrawingAddsMarksAndSkipsTextsThatNameNoPosition)
{
    panel->setChordNeck(fretboardtest::frets({" ", " ", " ", " ", "3", " "}));
    panel->setChordNeck(fretboardtest::frets({" ", " ", " ", " ", "5", " "}));
    EXPECT_EQ(marks(), "C5C3:T C5C5:B");

    panel->ClearNeck("*");
    panel->setChordNeck(fretboardtest::frets({"16", "01", "", " 2", "12", "15"}));
    EXPECT_EQ(marks(), "C5C12:B C6C15:B");
}

TEST_F(Fretboard, ClearingTakesOneStringOrAllAndNothingElse)
{
    const auto drawEverything = [&] {
        panel->setChordNeck(fretboardtest::frets({"0", "0", "1", "2", "2", "0"}));
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret <= 15; ++fret)
                panel->fretButton({string, fret})->setTitle("t");
    };
    drawEverything();
    const std::string all = marks();
    for (const char* other : {"7", "0", "", "**", " 3", "3 "}) {
        panel->ClearNeck(other);
        EXPECT_EQ(marks(), all) << other;
        EXPECT_EQ(titled(), 96) << other;
    }

    panel->ClearNeck("3");
    EXPECT_EQ(marks(), "C1C0:B C2C0:B C4C2:B C5C2:B C6C0:B");
    EXPECT_EQ(titled(), 80);
    EXPECT_EQ(pattern(), "x,1,0,2,3,x"); // labels untouched

    panel->ClearNeck("*");
    EXPECT_EQ(marks(), "");
    EXPECT_EQ(titled(), 0);

    drawEverything();
    clearAll->click();
    EXPECT_EQ(marks(), "");
    EXPECT_EQ(titled(), 0);
    EXPECT_EQ(pattern(), "x,x,x,x,x,x");
    EXPECT_EQ(edits, std::vector<std::string>{"x,x,x,x,x,x"});
    EXPECT_TRUE(taps.empty());
}

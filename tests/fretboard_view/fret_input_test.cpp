// Fret taps: the tapped string's label toggles, the board is redrawn from the
// six labels, the chord sounds and the tap is reported, in that order.
#include "ScreenFixture.h"

using fretboardtest::Fretboard;

namespace {

struct FretTaps : Fretboard {
    void SetUp() override
    {
        Fretboard::SetUp();
        load();
        panel->setChordNeck(fretboardtest::frets({" ", "1", "0", "2", "3", " "}));
        silence();
    }
};

} // namespace

TEST_F(FretTaps, TappingAFretTogglesItOnItsString)
{
    button("C3C2")->click();
    EXPECT_EQ(pattern(), "x,1,2,2,3,x");
    EXPECT_EQ(marks(), "C2C1:T C3C2:B C4C2:B C5C3:T");
    ASSERT_EQ(taps.size(), 1u);
    EXPECT_EQ(taps[0].sender, button("C3C2"));
    EXPECT_EQ(taps[0].labels, "x,1,2,2,3,x");
    EXPECT_TRUE(taps[0].sounding); // the sound starts before the report
    EXPECT_EQ(edits, std::vector<std::string>{"x,1,2,2,3,x"});
    EXPECT_EQ(startedVoices(), 4);

    button("C3C5")->click(); // the mark moves along the string
    EXPECT_EQ(pattern(), "x,1,5,2,3,x");
    EXPECT_EQ(marks(), "C2C1:T C3C5:T C4C2:B C5C3:T");

    button("C3C5")->click(); // and goes
    EXPECT_EQ(pattern(), "x,1,x,2,3,x");
    EXPECT_EQ(marks(), "C2C1:T C4C2:B C5C3:T");
    EXPECT_EQ(taps.size(), 3u);
}

TEST_F(FretTaps, TwoDigitAndThreeDigitTagsOfAStringAreDistinctFrets)
{
    button("C1C1")->click(); // tag 11
    EXPECT_EQ(pattern(), "1,1,0,2,3,x");
    button("C1C10")->click(); // tag 110: another fret, not a toggle of "1"
    EXPECT_EQ(pattern(), "10,1,0,2,3,x");
    EXPECT_EQ(marks(), "C1C10:B C2C1:T C3C0:B C4C2:B C5C3:T");
    button("C1C1")->click();
    button("C1C1")->click();
    EXPECT_EQ(pattern(), "x,1,0,2,3,x");
    EXPECT_EQ(marks(), "C2C1:T C3C0:B C4C2:B C5C3:T");
}

TEST_F(FretTaps, TakingTheLastStringOffLeavesNothingToDrawOrSound)
{
    clearAll->click();
    button("C6C3")->click();
    EXPECT_EQ(pattern(), "x,x,x,x,x,3");
    silence();
    button("C6C3")->click();
    EXPECT_EQ(pattern(), "x,x,x,x,x,x");
    EXPECT_EQ(marks(), "");
    EXPECT_EQ(startedVoices(), 0);
    EXPECT_EQ(taps.back().labels, "x,x,x,x,x,x");
}

// Tags outside the 96 position codes (only a faulty layout gives them) name
// no string and no fret: no label changes and no out-of-range text is read,
// while the pattern on display is drawn, sounded and reported again.
TEST_F(FretTaps, AnyOtherTagChangesNoLabel)
{
    const std::string drawn = marks();
    for (int tag : {0, 7, 99, 70, 98, 100, 105, 116, 199, 700, 1000, 7015, -3, -63}) {
        silence();
        platform::Button stray;
        stray.setTag(tag);
        const std::size_t reported = taps.size();
        panel->playNoteNeck(&stray);
        EXPECT_EQ(pattern(), "x,1,0,2,3,x") << tag;
        EXPECT_EQ(marks(), drawn) << tag;
        ASSERT_EQ(taps.size(), reported + 1) << tag;
        EXPECT_EQ(taps.back().sender, &stray);
        EXPECT_EQ(startedVoices(), 4) << tag;
    }
    EXPECT_TRUE(edits.empty());
}

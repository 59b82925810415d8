// Fret taps: the tapped string's label toggles, the board is redrawn from the
// six labels, the chord sounds and the chord list is filtered, in that order.
#include "ScreenFixture.h"

using fretboardtest::MainScreenFretboard;

namespace {

struct FretTaps : MainScreenFretboard {
    void SetUp() override
    {
        MainScreenFretboard::SetUp();
        screen->LoadAudioSessions();
        platform::drainMainQueue();
        screen->setChordNeck(" ", "1", "0", "2", "3", " ");
        silence();
    }
};

} // namespace

TEST_F(FretTaps, TappingAFretTogglesItOnItsString)
{
    button("C3C2")->click();
    EXPECT_EQ(screen->pattern(), "x,1,2,2,3,x");
    EXPECT_EQ(screen->marks(), "C2C1:T C3C2:B C4C2:B C5C3:T");
    ASSERT_EQ(screen->filterRequests.size(), 1u);
    EXPECT_EQ(screen->filterRequests[0].sender, button("C3C2"));
    EXPECT_EQ(screen->filterRequests[0].pattern, "x,1,2,2,3,x");
    EXPECT_TRUE(screen->filterRequests[0].sounding); // the sound starts before the filter
    EXPECT_EQ(startedVoices(), 4);

    button("C3C5")->click(); // the mark moves along the string
    EXPECT_EQ(screen->pattern(), "x,1,5,2,3,x");
    EXPECT_EQ(screen->marks(), "C2C1:T C3C5:T C4C2:B C5C3:T");

    button("C3C5")->click(); // and goes
    EXPECT_EQ(screen->pattern(), "x,1,x,2,3,x");
    EXPECT_EQ(screen->marks(), "C2C1:T C4C2:B C5C3:T");
    EXPECT_EQ(screen->filterRequests.size(), 3u);
}

TEST_F(FretTaps, TwoDigitAndThreeDigitTagsOfAStringAreDistinctFrets)
{
    button("C1C1")->click(); // tag 11
    EXPECT_EQ(screen->pattern(), "1,1,0,2,3,x");
    button("C1C10")->click(); // tag 110: another fret, not a toggle of "1"
    EXPECT_EQ(screen->pattern(), "10,1,0,2,3,x");
    EXPECT_EQ(screen->marks(), "C1C10:B C2C1:T C3C0:B C4C2:B C5C3:T");
    button("C1C1")->click();
    button("C1C1")->click();
    EXPECT_EQ(screen->pattern(), "x,1,0,2,3,x");
    EXPECT_EQ(screen->marks(), "C2C1:T C3C0:B C4C2:B C5C3:T");
}

TEST_F(FretTaps, TakingTheLastStringOffLeavesNothingToDrawOrSound)
{
    screen->ClearNeckAll(screen.get());
    button("C6C3")->click();
    EXPECT_EQ(screen->pattern(), "x,x,x,x,x,3");
    silence();
    button("C6C3")->click();
    EXPECT_EQ(screen->pattern(), "x,x,x,x,x,x");
    EXPECT_EQ(screen->marks(), "");
    EXPECT_EQ(startedVoices(), 0);
    EXPECT_EQ(screen->filterRequests.back().pattern, "x,x,x,x,x,x");
}

// Tags outside the 96 position codes (only a faulty layout gives them) name
// no string and no fret: no label changes and no out-of-range text is read,
// while the pattern on display is drawn, sounded and filtered again.
TEST_F(FretTaps, AnyOtherTagChangesNoLabel)
{
    const std::string marks = screen->marks();
    for (int tag : {0, 7, 99, 70, 98, 100, 105, 116, 199, 700, 1000, 7015, -3, -63}) {
        silence();
        platform::Button stray;
        stray.setTag(tag);
        const std::size_t requests = screen->filterRequests.size();
        screen->playNoteNeck(&stray);
        EXPECT_EQ(screen->pattern(), "x,1,0,2,3,x") << tag;
        EXPECT_EQ(screen->marks(), marks) << tag;
        ASSERT_EQ(screen->filterRequests.size(), requests + 1) << tag;
        EXPECT_EQ(screen->filterRequests.back().sender, &stray);
        EXPECT_EQ(startedVoices(), 4) << tag;
    }
}

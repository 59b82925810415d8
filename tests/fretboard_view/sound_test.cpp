// The main screen's sounds: the bank and its loading indicator, chords from
// the labels, the replay and the pinch, and the sound switch, which no
// playback consults.
#include "ScreenFixture.h"

#include "audio/SampleFixture.h"
#include "platform/Log.h"

#include <QNativeGestureEvent>
#include <QPointingDevice>

using audiotest::expectedMix;
using audiotest::renderMono;
using fretboardtest::MainScreenFretboard;
using platform::AudioEngine;

namespace {

const std::vector<std::string> kCMajorSamples{"C2-001", "C3", "C4-002", "C5-003"};

struct Sounds : MainScreenFretboard {
    platform::ActivityIndicator* indicator = nullptr;
    void SetUp() override
    {
        MainScreenFretboard::SetUp();
        indicator = new platform::ActivityIndicator(screen->view());
        screen->activityIndicator = indicator;
    }
    void load()
    {
        screen->LoadAudioSessions();
        platform::drainMainQueue();
        silence();
    }
    void pinch(QWidget* target, Qt::NativeGestureType type)
    {
        QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, QPointF(5, 5),
                                  QPointF(5, 5), QPointF(5, 5), 0.1, QPointF());
        QCoreApplication::sendEvent(target, &event);
    }
};

} // namespace

TEST_F(Sounds, LoadingShowsTheIndicatorUntilTheEventLoopTakesOver)
{
    platform::LogCapture log;
    screen->LoadAudioSessions();
    EXPECT_TRUE(indicator->isAnimating());
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret)
            EXPECT_NE(screen->sampleBank.player(string, fret), nullptr) << string << "," << fret;
    platform::drainMainQueue();
    EXPECT_FALSE(indicator->isAnimating());
    EXPECT_TRUE(log.lines().empty());

    // A screen gone before its queued stop runs is left alone.
    screen->LoadAudioSessions();
    screen.reset();
    platform::drainMainQueue();
}

TEST_F(Sounds, AMissingSampleIsLoggedAndTheLoadGoesOn)
{
    // Start-up loaded the bank; a reload without the sample keeps the old
    // player of that position and goes on with the next ones.
    platform::AudioPlayer* before = screen->sampleBank.player("nC4C7");
    ASSERT_NE(before, nullptr);
    const auto hidden = bundle_->hide("C4-007.mp3");
    platform::LogCapture log;
    screen->LoadAudioSessions();
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Exceção ao carregar fretlume: sample resource "
                                                    "\"C4-007.mp3\" is missing from the bundle"});
    EXPECT_EQ(screen->sampleBank.player("nC4C7"), before);
    EXPECT_NE(screen->sampleBank.player("nC4C8"), nullptr);
    EXPECT_NE(screen->sampleBank.player("nC1C15"), nullptr);
    platform::drainMainQueue();
    EXPECT_FALSE(indicator->isAnimating());
}

TEST_F(Sounds, ChordSoundsExactlyTheSamplesOfItsStrings)
{
    load();
    screen->setChordNeck(" ", "1", "0", "2", "3", " ");
    const int frames = audiotest::kSampleFrames + 1000;
    EXPECT_EQ(renderMono(*AudioEngine::shared(), frames), expectedMix(kCMajorSamples, frames));
    EXPECT_EQ(AudioEngine::shared()->soundingVoices(), 0);
}

TEST_F(Sounds, ReplayRestartsTheLabelsChordRatherThanDoublingIt)
{
    load();
    screen->Paleta();
    renderMono(*AudioEngine::shared(), 10 * AudioEngine::kBufferFrames);
    screen->Paleta();
    EXPECT_EQ(renderMono(*AudioEngine::shared(), 8192), expectedMix(kCMajorSamples, 8192));
    EXPECT_EQ(AudioEngine::shared()->soundingVoices(), 4);
    EXPECT_EQ(screen->marks(), ""); // nothing redrawn
    EXPECT_TRUE(screen->filterRequests.empty());

    silence();
    screen->ClearNeckAll(screen.get());
    screen->Paleta();
    EXPECT_EQ(startedVoices(), 0);
}

TEST_F(Sounds, EachStepOfATrackpadPinchOnTheFretboardReplays)
{
    load();
    auto* view = screen->view()->findChild<fretboard::FretboardView*>();
    pinch(view, Qt::BeginNativeGesture);
    EXPECT_EQ(startedVoices(), 0);
    pinch(view, Qt::ZoomNativeGesture);
    EXPECT_EQ(startedVoices(), 4);
    silence();
    pinch(button("C6C9"), Qt::ZoomNativeGesture); // the pointer may be over a fret
    EXPECT_EQ(startedVoices(), 4);
    EXPECT_EQ(screen->pattern(), "x,1,0,2,3,x");
}

TEST_F(Sounds, SoundSwitchFlipsItsLookAndTheReplayButtonOnly)
{
    load();
    platform::Button* audio = screen->AudioOnOff;
    platform::Button* replay = screen->ButtonPaleta;
    ASSERT_NE(audio, nullptr);
    ASSERT_NE(replay, nullptr);
    audio->setTag(5); // anything but 1 counts as off
    replay->setHidden(true);

    audio->click();
    EXPECT_EQ(audio->tag(), 1);
    EXPECT_EQ(audio->imageName(), "icone-audio-on-chord.png");
    EXPECT_FALSE(audio->image().isNull());
    EXPECT_EQ(audio->title(), " on");
    EXPECT_FALSE(replay->isHidden());

    audio->click();
    EXPECT_EQ(audio->tag(), 0);
    EXPECT_EQ(audio->imageName(), "icone-audio-off-chord.png");
    EXPECT_EQ(audio->title(), " off");
    EXPECT_TRUE(replay->isHidden());

    // Switched off, everything still sounds.
    replay->click();
    EXPECT_EQ(startedVoices(), 4);
    silence();
    button("C1C0")->click();
    EXPECT_EQ(startedVoices(), 5);
    silence();
    screen->handlePinch(screen.get());
    EXPECT_EQ(startedVoices(), 5);

    audio->click();
    EXPECT_EQ(audio->tag(), 1);
    EXPECT_FALSE(replay->isHidden());
}

// The panel's sounds: the bank and its loading indicator, chords from the
// labels, the replay and the pinch, and the sound switch, which no playback
// consults.
#include "ScreenFixture.h"

#include "audio/SampleFixture.h"
#include "platform/Log.h"

#include <QNativeGestureEvent>
#include <QPointingDevice>

using audiotest::expectedMix;
using audiotest::renderMono;
using fretboardtest::Fretboard;
using platform::AudioEngine;

namespace {

const std::vector<std::string> kCMajorSamples{"C2-001", "C3", "C4-002", "C5-003"};

struct Sounds : Fretboard {
    platform::ActivityIndicator* indicator = nullptr;
    void SetUp() override
    {
        Fretboard::SetUp();
        indicator = new platform::ActivityIndicator(host.get());
        panel->setActivityIndicator(indicator);
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
    panel->LoadAudioSessions();
    EXPECT_TRUE(indicator->isAnimating());
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret)
            EXPECT_NE(panel->sampleBank().player(string, fret), nullptr) << string << "," << fret;
    platform::drainMainQueue();
    EXPECT_FALSE(indicator->isAnimating());
    EXPECT_TRUE(log.lines().empty());

    // A panel gone before its queued stop runs is left alone.
    panel->LoadAudioSessions();
    host.reset();
    platform::drainMainQueue();
}

TEST_F(Sounds, AMissingSampleIsLoggedAndTheLoadGoesOn)
{
    load();
    platform::AudioPlayer* before = panel->sampleBank().player("nC4C7");
    ASSERT_NE(before, nullptr);
    const auto hidden = bundle_->hide("C4-007.mp3");
    platform::LogCapture log;
    panel->LoadAudioSessions();
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Exceção ao carregar fretlume: sample resource "
                                                    "\"C4-007.mp3\" is missing from the bundle"});
    EXPECT_EQ(panel->sampleBank().player("nC4C7"), before);
    EXPECT_NE(panel->sampleBank().player("nC4C8"), nullptr);
    EXPECT_NE(panel->sampleBank().player("nC1C15"), nullptr);
    platform::drainMainQueue();
    EXPECT_FALSE(indicator->isAnimating());
}

TEST_F(Sounds, ChordSoundsExactlyTheSamplesOfItsStrings)
{
    load();
    panel->setChordNeck(fretboardtest::frets({" ", "1", "0", "2", "3", " "}));
    const int frames = audiotest::kSampleFrames + 1000;
    EXPECT_EQ(renderMono(*engine, frames), expectedMix(kCMajorSamples, frames));
    EXPECT_EQ(engine->soundingVoices(), 0);
}

// All six notes of a chord reach the mix in one hand-over, so the next
// buffer starts every one of them at its first frame.
TEST_F(Sounds, ASixStringChordStartsInOneBuffer)
{
    load();
    const std::uint64_t before = engine->publications();
    panel->setChordNeck(fretboardtest::frets({"0", "0", "1", "2", "2", "0"}));
    EXPECT_EQ(engine->publications(), before + 1);
    EXPECT_EQ(startedVoices(), 6);
    silence();
    panel->setChordNeck(fretboardtest::frets({"0", "0", "1", "2", "2", "0"}));
    const std::vector<std::string> eMajor{"C6", "C5-002", "C4-002", "C3-001", "C2", "C1"};
    EXPECT_EQ(renderMono(*engine, 4096), expectedMix(eMajor, 4096));
}

TEST_F(Sounds, ReplayRestartsTheLabelsChordRatherThanDoublingIt)
{
    load();
    replay->click();
    renderMono(*engine, 10 * AudioEngine::kBufferFrames);
    panel->Paleta();
    EXPECT_EQ(renderMono(*engine, 8192), expectedMix(kCMajorSamples, 8192));
    EXPECT_EQ(engine->soundingVoices(), 4);
    EXPECT_EQ(marks(), ""); // nothing redrawn
    EXPECT_TRUE(taps.empty());

    silence();
    panel->ClearNeckAll();
    panel->Paleta();
    EXPECT_EQ(startedVoices(), 0);
}

TEST_F(Sounds, EachStepOfATrackpadPinchOnTheFretboardReplays)
{
    load();
    pinch(panel, Qt::BeginNativeGesture);
    EXPECT_EQ(startedVoices(), 0);
    pinch(panel, Qt::ZoomNativeGesture);
    EXPECT_EQ(startedVoices(), 4);
    silence();
    pinch(button("C6C9"), Qt::ZoomNativeGesture); // the pointer may be over a fret
    EXPECT_EQ(startedVoices(), 4);
    EXPECT_EQ(pattern(), "x,1,0,2,3,x");
}

TEST_F(Sounds, SoundSwitchFlipsItsLookAndTheReplayButtonOnly)
{
    load();
    soundSwitch->setTag(5); // anything but 1 counts as off
    replay->setHidden(true);

    soundSwitch->click();
    EXPECT_EQ(soundSwitch->tag(), 1);
    EXPECT_EQ(soundSwitch->imageName(), "icone-audio-on-chord.png");
    EXPECT_FALSE(soundSwitch->image().isNull());
    EXPECT_EQ(soundSwitch->title(), " on");
    EXPECT_FALSE(replay->isHidden());

    soundSwitch->click();
    EXPECT_EQ(soundSwitch->tag(), 0);
    EXPECT_EQ(soundSwitch->imageName(), "icone-audio-off-chord.png");
    EXPECT_EQ(soundSwitch->title(), " off");
    EXPECT_TRUE(replay->isHidden());

    // Switched off, everything still sounds.
    replay->click();
    EXPECT_EQ(startedVoices(), 4);
    silence();
    button("C1C0")->click();
    EXPECT_EQ(startedVoices(), 5);
    silence();
    pinch(panel, Qt::ZoomNativeGesture);
    EXPECT_EQ(startedVoices(), 5);

    soundSwitch->click();
    EXPECT_EQ(soundSwitch->tag(), 1);
    EXPECT_FALSE(replay->isHidden());
}

#include "CraftedMp3.h"
#include "LameMp3.h"
#include "SampleFixture.h"

#include "fretboard/SampleBank.h"
#include "platform/FirstPaint.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>

using audiotest::TemporaryBundle;
using fretboard::SampleBank;

namespace {

int loadedCount(const SampleBank& bank)
{
    int count = 0;
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= 15; ++fret)
            count += bank.player(string, fret) != nullptr;
    return count;
}

} // namespace

TEST(SampleBank, LoadsAll96PlayersNamedByPosition)
{
    TemporaryBundle files("all");
    platform::Bundle bundle(files.directory());
    auto engine = std::make_shared<platform::AudioEngine>();
    SampleBank bank(engine);
    EXPECT_EQ(loadedCount(bank), 0);

    platform::LogCapture log;
    bank.loadForMainScreen(bundle);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(loadedCount(bank), 96);
    EXPECT_EQ(bank.player("nC6C3"), bank.player(6, 3));
    EXPECT_EQ(bank.player("nC1C15"), bank.player(1, 15));
    EXPECT_EQ(bank.player(6, 3)->url().path, files.directory() + "/C6-003.mp3");
    EXPECT_EQ(bank.player(1, 0)->url().path, files.directory() + "/C1.mp3");
    EXPECT_EQ(bank.player("nC6C03"), nullptr);
    EXPECT_EQ(bank.player("C6C3"), nullptr);
    EXPECT_EQ(bank.player(7, 0), nullptr);
    EXPECT_EQ(bank.player(1, 16), nullptr);
}

TEST(SampleBank, MainScreenLoadLogsAMissingSampleAndGoesOn)
{
    TemporaryBundle files("main", {"C4-007"}, {"C2-005"});
    platform::Bundle bundle(files.directory());
    SampleBank bank(std::make_shared<platform::AudioEngine>());

    platform::LogCapture log;
    bank.loadForMainScreen(bundle);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Exceção ao carregar fretlume: sample resource "
                                                    "\"C4-007.mp3\" is missing from the bundle"});
    EXPECT_EQ(bank.player(4, 7), nullptr);
    EXPECT_EQ(bank.player(2, 5), nullptr); // undecodable: empty
    EXPECT_EQ(loadedCount(bank), 94);      // every other position, before and after
    EXPECT_NE(bank.player(4, 8), nullptr);
    EXPECT_NE(bank.player(1, 15), nullptr);
}

TEST(SampleBank, MainScreenReloadKeepsThePlayerOfAMissingSample)
{
    TemporaryBundle files("reload");
    platform::Bundle bundle(files.directory());
    SampleBank bank(std::make_shared<platform::AudioEngine>());
    bank.loadForMainScreen(bundle);
    platform::AudioPlayer* kept = bank.player(4, 7);
    platform::AudioPlayer* replaced = bank.player(4, 8);

    files.remove("C4-007");
    files.writeText("C3-002", "not an mp3");
    platform::LogCapture log;
    bank.loadForMainScreen(bundle);
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(bank.player(4, 7), kept);
    EXPECT_NE(bank.player(4, 8), replaced);
    EXPECT_EQ(bank.player(3, 2), nullptr);
    EXPECT_EQ(loadedCount(bank), 95);
}

TEST(SampleBank, GridScreenLoadEmptiesMissingAndUndecodableWithoutALineOfItsOwn)
{
    TemporaryBundle files("grid");
    platform::Bundle bundle(files.directory());
    SampleBank bank(std::make_shared<platform::AudioEngine>());
    bank.loadForGridScreen(bundle);
    EXPECT_EQ(loadedCount(bank), 96);

    files.remove("C6");
    files.writeText("C1-015", "");
    platform::LogCapture log;
    bank.loadForGridScreen(bundle);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(bank.player(6, 0), nullptr);
    EXPECT_EQ(bank.player(1, 15), nullptr);
    EXPECT_EQ(loadedCount(bank), 94);
}

TEST(SampleBank, BanksOfTwoScreensHoldTheirOwnPlayersOverSharedSamples)
{
    TemporaryBundle files("two");
    platform::Bundle bundle(files.directory());
    auto engine = std::make_shared<platform::AudioEngine>();
    SampleBank main(engine), grid(engine);
    main.loadForMainScreen(bundle);
    grid.loadForGridScreen(bundle);
    EXPECT_EQ(loadedCount(main), 96);
    EXPECT_EQ(loadedCount(grid), 96);
    EXPECT_NE(main.player(6, 3), grid.player(6, 3));
    EXPECT_EQ(engine->decodedBytes(), 96u * audiotest::kSampleFrames * sizeof(std::int16_t));
}

void paintAWindow()
{
    QWidget window;
    window.resize(40, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.repaint();
}

// The first paint lets the background decoding start. The bank watches for
// it with a watcher of its own, which has seen no paint whatever ran before.
TEST(SampleBank, SamplesDecodeOnWorkerThreadsOnceTheApplicationHasPainted)
{
    TemporaryBundle files("later", {}, {"C2-005"});
    platform::Bundle bundle(files.directory());
    auto engine = std::make_shared<platform::AudioEngine>();
    platform::FirstPaint firstPaint;
    SampleBank bank(engine, firstPaint);
    platform::LogCapture log;
    bank.loadForMainScreen(bundle);
    platform::drainMainQueue();
    engine->waitForBackgroundDecoding();
    EXPECT_EQ(engine->decodedBytes(), 0u); // neither the load nor the event loop decoded

    paintAWindow();
    EXPECT_TRUE(firstPaint.hasPainted());
    platform::drainMainQueue();
    engine->waitForBackgroundDecoding();
    EXPECT_EQ(engine->decodedBytes(), 95u * audiotest::kSampleFrames * sizeof(std::int16_t));
    EXPECT_EQ(bank.player(2, 5), nullptr);
    EXPECT_EQ(loadedCount(bank), 95);
    EXPECT_EQ(log.lines().size(), 1u); // the worker's warning on the undecodable sample
}

// A sample that cannot be played leaves its position silent and says so: one
// warning for each such file, naming it and why, whichever thread decodes it
// and however many banks, loads and taps meet it.
TEST(SampleBank, EachUnplayableSampleIsLoggedOnceWithItsNameAndReason)
{
    TemporaryBundle files("unplayable", {}, {"C4"});
    const std::string at48k = files.writeBytes("C2-005", audiotest::lameMp3(48000, 4800));
    const auto bombBytes = audiotest::craftedMp3({.claimedFrames = 0xFFFFFFFFu});
    const std::string bomb = files.writeBytes("C3-002", bombBytes);
    const std::string text = files.directory() + "/C4.mp3";
    const platform::Bundle bundle(files.directory());
    auto engine = std::make_shared<platform::AudioEngine>();
    platform::FirstPaint firstPaint;
    SampleBank main(engine, firstPaint), grid(engine, firstPaint);

    platform::LogCapture log;
    main.loadForMainScreen(bundle); // decoded on the workers
    paintAWindow();
    platform::drainMainQueue();
    engine->waitForBackgroundDecoding();
    grid.loadForGridScreen(bundle); // nothing left to decode
    const catalogue::FretPattern unplayable{{catalogue::kMuted, 5, 2, 0, catalogue::kMuted, 1}};
    grid.playChord(unplayable);
    main.playChord(unplayable);
    main.loadForMainScreen(bundle);
    main.playChord(unplayable);
    EXPECT_EQ(loadedCount(main), 93);
    EXPECT_EQ(loadedCount(grid), 93);

    auto lines = log.lines();
    std::sort(lines.begin(), lines.end()); // the workers find them in any order
    const std::vector<std::string> expected{
        "cannot play sample " + at48k +
            ": not a decodable MP3: sample rate 48000 Hz, samples must be at 44100 Hz",
        "cannot play sample " + bomb + ": not a decodable MP3: it claims 4947802323311 frames, " +
            "more than a sample of " + std::to_string(bombBytes.size()) + " bytes may hold",
        "cannot play sample " + text + ": not a decodable MP3: no audio frames found",
    };
    EXPECT_EQ(lines, expected);
    for (const auto& line : expected)
        EXPECT_EQ(log.levelOf(line), platform::LogLevel::Warning) << line;
}

// The application's watcher has watched since the application object was
// made: a window painted before any bank existed still counts.
TEST(SampleBank, APaintBeforeTheFirstBankStillLetsItDecodeInTheBackground)
{
    paintAWindow();
    EXPECT_TRUE(platform::FirstPaint::application().hasPainted());
    TemporaryBundle files("painted");
    auto engine = std::make_shared<platform::AudioEngine>();
    SampleBank bank(engine);
    bank.loadForGridScreen(platform::Bundle(files.directory()));
    platform::drainMainQueue();
    engine->waitForBackgroundDecoding();
    EXPECT_EQ(engine->decodedBytes(), 96u * audiotest::kSampleFrames * sizeof(std::int16_t));
}

TEST(SampleBank, AChordTappedBeforeItsSamplesAreDecodedSoundsAtOnce)
{
    TemporaryBundle files("tap");
    auto engine = std::make_shared<platform::AudioEngine>();
    SampleBank bank(engine);
    bank.loadForGridScreen(platform::Bundle(files.directory()));
    bank.playChord({{catalogue::kMuted, 1, 0, 2, 3, catalogue::kMuted}});
    const std::vector<std::string> cMajor{"C2-001", "C3", "C4-002", "C5-003"};
    EXPECT_EQ(audiotest::renderMono(*engine, 4096), audiotest::expectedMix(cMajor, 4096));
    EXPECT_EQ(engine->decodedBytes(), 4u * audiotest::kSampleFrames * sizeof(std::int16_t));
}

// What a sample file may claim: crafted and hostile files are refused as
// undecodable, on the main thread and on the decoding workers alike.
#include "CraftedMp3.h"
#include "LameMp3.h"
#include "SampleFixture.h"
#include "platform/Log.h"
#include "platform/audio/AudioPlayer.h"
#include "support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

using audiotest::craftedMp3;
using audiotest::CraftedStream;
using platform::decodeMp3;

namespace {

std::string decodeError(const std::vector<unsigned char>& bytes)
{
    const auto sample = decodeMp3(bytes);
    EXPECT_FALSE(sample);
    return sample.error();
}

class ScratchFolder {
public:
    std::string file(const std::string& name) const { return (folder_.path() / name).string(); }
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const
    {
        std::ofstream(file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file(name);
    }

private:
    testsupport::TempFolder folder_;
};

} // namespace

TEST(SampleFile, CraftedSilenceDecodesToItsFrames)
{
    // The crafted streams are sound MP3: what the tests below refuse, they
    // refuse for the one thing each changes.
    const auto sample = decodeMp3(craftedMp3({}));
    ASSERT_TRUE(sample);
    EXPECT_EQ((*sample)->length(), 5 * 1152);
}

TEST(SampleFile, AClaimPastWhatTheFileCanHoldIsUndecodable)
{
    // 2 KB claiming 4.9 million million frames: refused before anything is
    // reserved.
    const auto bomb = craftedMp3({.frames = 5, .claimedFrames = 0xFFFFFFFFu});
    ASSERT_LT(bomb.size(), 2200u);
    EXPECT_NE(decodeError(bomb).find("claims 4947802323"), std::string::npos) << decodeError(bomb);

    // A claim a little past the bound for the file's size is refused too.
    auto modest = craftedMp3({.frames = 5, .claimedFrames = 100});
    EXPECT_GT(100 * 1152, platform::maxFramesForFileOf(modest.size()));
    EXPECT_NE(decodeError(modest).find("claims"), std::string::npos);
}

TEST(SampleFile, MoreThanThreeMinutesOfSoundIsUndecodable)
{
    // Three and a half minutes of silence at 32 kbit/s: under a megabyte.
    const int frames = 210 * 44100 / 1152;
    const auto longStream = craftedMp3({.kilobitsPerSecond = 32, .frames = frames});
    EXPECT_LT(longStream.size(), 1u << 20);
    EXPECT_NE(decodeError(longStream).find("more than 7938000 frames"), std::string::npos);
}

TEST(SampleFile, AnotherSampleRateIsRefusedByName)
{
    EXPECT_EQ(decodeError(craftedMp3({.sampleRate = 48000})),
              "not a decodable MP3: sample rate 48000 Hz, samples must be at 44100 Hz");
}

TEST(SampleFile, OnlyARegularFileOfBoundedSizeIsRead)
{
    ScratchFolder folder;
    const std::string fifo = folder.file("fifo.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto fromFifo = platform::readSampleFile(fifo); // returns at once
    EXPECT_FALSE(fromFifo);
    EXPECT_EQ(fromFifo.error().rfind("cannot open " + fifo + ": not a regular file", 0), 0u)
        << fromFifo.error();
    EXPECT_FALSE(platform::readSampleFile("/dev/zero"));
    EXPECT_FALSE(platform::readSampleFile(folder.file("")));

    const std::string huge = folder.file("huge.mp3");
    std::ofstream(huge).put('x');
    std::filesystem::resize_file(huge, platform::kMaxSampleFileBytes + 1);
    const auto tooLarge = platform::readSampleFile(huge);
    EXPECT_FALSE(tooLarge);
    EXPECT_NE(tooLarge.error().find("larger than 16777216 bytes"), std::string::npos)
        << tooLarge.error();
    std::filesystem::resize_file(huge, 3);
    EXPECT_EQ(platform::readSampleFile(huge)->size(), 3u);
}

TEST(SampleFile, HostileFilesDecodedInTheBackgroundLeaveTheProcessRunning)
{
    ScratchFolder folder;
    const std::vector<std::string> paths{
        folder.write("bomb.mp3", craftedMp3({.claimedFrames = 0xFFFFFFFFu})),
        folder.write("rate.mp3", craftedMp3({.sampleRate = 32000})),
        folder.write("good.mp3", craftedMp3({})),
    };
    auto engine = std::make_shared<platform::AudioEngine>();
    engine->decodeInBackground(paths);
    engine->waitForBackgroundDecoding();
    const auto bomb = engine->sample(paths[0]);
    EXPECT_FALSE(bomb);
    EXPECT_NE(bomb.error().find("claims"), std::string::npos);
    const auto rate = engine->sample(paths[1]);
    EXPECT_FALSE(rate);
    EXPECT_NE(rate.error().find("32000 Hz"), std::string::npos);
    EXPECT_TRUE(engine->sample(paths[2]));
}

TEST(SampleFile, AnUnplayableFileIsLoggedOnceForEachOfItsVersions)
{
    ScratchFolder folder;
    const std::string path = folder.write("C5.mp3", audiotest::lameMp3(48000, 4800));
    const std::string missing = folder.file("C6.mp3");
    auto engine = std::make_shared<platform::AudioEngine>();
    platform::LogCapture log;
    for (int ask = 0; ask < 3; ++ask) {
        EXPECT_FALSE(platform::AudioPlayer::create({path}, engine));
        EXPECT_FALSE(platform::AudioPlayer::create({missing}, engine));
    }
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "cannot play sample " + path +
                                   ": not a decodable MP3: sample rate 48000 Hz, "
                                   "samples must be at 44100 Hz",
                               "cannot play sample " + missing + ": cannot open " + missing}));

    // Changed, and still unplayable: said again, with the new reason.
    folder.write("C5.mp3", craftedMp3({.sampleRate = 32000}));
    log.clear();
    EXPECT_FALSE(platform::AudioPlayer::create({path}, engine));
    EXPECT_FALSE(platform::AudioPlayer::create({path}, engine));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"cannot play sample " + path +
                                                    ": not a decodable MP3: sample rate 32000 Hz, "
                                                    "samples must be at 44100 Hz"});
}

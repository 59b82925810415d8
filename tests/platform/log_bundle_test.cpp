#include "platform/Bundle.h"
#include "platform/Description.h"
#include "platform/Log.h"
#include "support/StandardError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

TEST(Log, CaptureKeepsLinesInOrderAndNests)
{
    platform::LogCapture outer;
    platform::log("one");
    {
        platform::LogCapture inner;
        platform::log("two");
        EXPECT_EQ(inner.lines(), std::vector<std::string>{"two"});
    }
    platform::log("três");
    EXPECT_EQ(outer.lines(), (std::vector<std::string>{"one", "três"}));
}

TEST(Bundle, FindsRegularFilesByNameAndTypeOnly)
{
    auto dir = std::filesystem::temp_directory_path() / "cifrario-bundle-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "C6.mp3"); // a folder is no resource
    std::ofstream(dir / "C6-001.mp3") << "x";
    platform::Bundle bundle(dir.string());
    EXPECT_EQ(bundle.pathForResource("C6-001", "mp3"), (dir / "C6-001.mp3").string());
    EXPECT_FALSE(bundle.pathForResource("C6", "mp3"));
    EXPECT_FALSE(bundle.pathForResource("C6-002", "mp3"));
    EXPECT_FALSE(bundle.pathForResource("../C6-001", "mp3"));
    EXPECT_FALSE(bundle.pathForResource("", "mp3"));
    std::filesystem::remove_all(dir);
}

TEST(Bundle, AnythingButARegularFileIsPassedOverWithoutWaiting)
{
    ::alarm(20); // a blocking open would stop the test binary here
    auto dir = std::filesystem::temp_directory_path() / "cifrario-bundle-special";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "pasta.png");
    ASSERT_EQ(::mkfifo((dir / "fifo.png").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.png");
    std::filesystem::create_symlink(dir / "absent.png", dir / "quebrado.png");
    std::ofstream(dir / "real.png") << "png";
    std::filesystem::create_symlink(dir / "real.png", dir / "elo.png");
    const platform::Bundle bundle(dir.string());
    platform::LogCapture log;
    for (const char* name : {"pasta", "fifo", "zero", "quebrado"}) {
        EXPECT_FALSE(bundle.pathForResource(name, "png")) << name;
        EXPECT_FALSE(bundle.contentsOfResource(name, "png", 100)) << name;
        const std::string line =
            "bundle resource is not a regular file: " + (dir / name).string() + ".png";
        EXPECT_TRUE(log.contains(line)) << line;
        EXPECT_EQ(log.levelOf(line), platform::LogLevel::Warning);
    }
    EXPECT_EQ(*bundle.contentsOfResource("elo", "png", 100), "png");
    EXPECT_EQ(bundle.contentsOfResource("ausente", "png", 100).error(),
              "no resource \"ausente.png\" in the bundle");
    std::filesystem::remove_all(dir);
    ::alarm(0);
}

TEST(Log, LevelsMarkAllButInfoLinesAndTheThresholdHidesLowerOnes)
{
    platform::LogCapture log;
    platform::log("informação");
    platform::log(platform::LogLevel::Warning, "aviso");
    platform::log(platform::LogLevel::Debug, "depuração");
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"informação", "aviso"}));
    EXPECT_EQ(log.levelOf("informação"), platform::LogLevel::Info);
    EXPECT_EQ(log.levelOf("aviso"), platform::LogLevel::Warning);
    platform::setLogThreshold(platform::LogLevel::Debug);
    platform::log(platform::LogLevel::Debug, "depuração");
    platform::setLogThreshold(platform::LogLevel::Warning);
    platform::log("informação 2");
    platform::setLogThreshold(platform::LogLevel::Info);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"informação", "aviso", "depuração"}));
}

// What reaches standard error: the program's name, the level's mark (none for
// Info), the line.
TEST(Log, StandardErrorCarriesEachLineWithItsLevelMark)
{
    testsupport::StandardErrorFile standardError;
    platform::setLogThreshold(platform::LogLevel::Debug);
    platform::log("informação");
    platform::log(platform::LogLevel::Warning, "aviso");
    platform::log(platform::LogLevel::Error, "falha");
    platform::log(platform::LogLevel::Debug, "depuração");
    platform::setLogThreshold(platform::LogLevel::Info);
    EXPECT_EQ(standardError.lines(),
              (std::vector<std::string>{"cifrario: informação", "cifrario: warning: aviso",
                                        "cifrario: error: falha", "cifrario: debug: depuração"}));
}

// Whatever bytes a line holds, one call writes one line, and nothing in it
// reaches a terminal as a control: what would end the line, move the cursor,
// make a terminal act or turn the line's direction shows escaped; bytes that
// are not UTF-8 show as their values; other text stays as it is.
TEST(Log, EachCallWritesOneLineWithControlsAndStrayBytesVisible)
{
    const std::pair<std::string, std::string> escapes[] = {
        {"x\ncifrario: warning: FORGED LINE", "x\\ncifrario: warning: FORGED LINE"},
        {"a\r\tb", "a\\r\\tb"},
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {"\x1b[2J\x1b]0;title\x07", "\\x1b[2J\\x1b]0;title\\x07"},
        {"del\x7f", "del\\x7f"},
        {"c1 \xc2\x85 \xc2\x9b", "c1 \\u0085 \\u009b"},
        {"lines\xe2\x80\xa8\xe2\x80\xa9", "lines\\u2028\\u2029"},
        {"turned \xe2\x80\xaa\xe2\x80\xab\xe2\x80\xac\xe2\x80\xad\xe2\x80\xae "
         "\xe2\x81\xa6\xe2\x81\xa7\xe2\x81\xa8\xe2\x81\xa9",
         "turned \\u202a\\u202b\\u202c\\u202d\\u202e \\u2066\\u2067\\u2068\\u2069"},
        {"stray \xff \xc3", "stray \\xff \\xc3"},
        {"overlong \xc0\xaf \xe0\x80\xaf", "overlong \\xc0\\xaf \\xe0\\x80\\xaf"},
        {"surrogate \xed\xa0\x80", "surrogate \\xed\\xa0\\x80"},
        {"past \xf4\x90\x80\x80", "past \\xf4\\x90\\x80\\x80"},
        {"cut \xe2\x82", "cut \\xe2\\x82"},
        {"Dó maior, Ré♭ \xf0\x9f\x8e\xb8 a\\nb \\x1b",
         "Dó maior, Ré♭ \xf0\x9f\x8e\xb8 a\\nb \\x1b"},
    };
    testsupport::StandardErrorFile standardError;
    platform::LogCapture log;
    for (const auto& [line, written] : escapes) {
        platform::log(platform::LogLevel::Warning, line);
        EXPECT_EQ(platform::escapedForLog(written), written) << written; // escaped stays escaped
    }
    std::vector<std::string> expected, captured;
    for (const auto& [line, written] : escapes) {
        expected.push_back("cifrario: warning: " + written);
        captured.push_back(written);
    }
    EXPECT_EQ(standardError.lines(), expected);
    EXPECT_EQ(log.lines(), captured);
    EXPECT_EQ(platform::quotedForLog("a \"b\" c:\\d\n"), "\"a \\\"b\\\" c:\\\\d\\n\"");
}

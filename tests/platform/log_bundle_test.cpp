#include "platform/Bundle.h"
#include "platform/Log.h"

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
    const auto path = std::filesystem::temp_directory_path() /
                      ("cifrario-log-" + std::to_string(::getpid()) + ".txt");
    std::fflush(stderr);
    const int saved = ::dup(2);
    {
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(file, 0);
        ::dup2(file, 2);
        ::close(file);
    }
    platform::setLogThreshold(platform::LogLevel::Debug);
    platform::log("informação");
    platform::log(platform::LogLevel::Warning, "aviso");
    platform::log(platform::LogLevel::Error, "falha");
    platform::log(platform::LogLevel::Debug, "depuração");
    platform::setLogThreshold(platform::LogLevel::Info);
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);

    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::filesystem::remove(path);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"cifrario: informação", "cifrario: warning: aviso",
                                        "cifrario: error: falha", "cifrario: debug: depuração"}));
}

#include "platform/Bundle.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// The generators' thread count: CMAKE_BUILD_PARALLEL_LEVEL's when it names a
// number of jobs, else one per processor, with a log line for a bad value.
#include "tools/ParallelJobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

TEST(ParallelJobs, TheBuildsLevelOrOnePerProcessor)
{
    const int processors = int(std::max(1u, std::thread::hardware_concurrency()));
    struct Case {
        const char* level;
        int jobs;
        bool logged;
    };
    const Case cases[] = {
        {"3", 3, false},
        {"1", 1, false},
        {"64", 64, false},
        {nullptr, processors, false},
        {"", processors, false},
        {"0", processors, true},
        {"-2", processors, true},
        {"3x", processors, true},
        {" 3", processors, true},
        {"many", processors, true},
        {"99999999999", processors, true},
    };
    for (const Case& c : cases) {
        const std::string shown = c.level ? std::string("'") + c.level + "'" : "unset";
        std::vector<std::string> lines;
        EXPECT_EQ(
            tools::parallelJobs(c.level, [&](const std::string& line) { lines.push_back(line); }),
            c.jobs)
            << shown;
        EXPECT_EQ(!lines.empty(), c.logged) << shown;
    }
}

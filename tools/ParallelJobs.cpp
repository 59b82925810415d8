#include "tools/ParallelJobs.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <thread>

namespace tools {

int parallelJobs(const char* level, const std::function<void(const std::string&)>& log)
{
    const int processors = int(std::max(1u, std::thread::hardware_concurrency()));
    if (level == nullptr || *level == '\0')
        return processors;
    const char* end = level + std::strlen(level);
    int jobs = 0;
    const auto [stop, error] = std::from_chars(level, end, jobs);
    if (error == std::errc() && stop == end && jobs >= 1)
        return jobs;
    log("CMAKE_BUILD_PARALLEL_LEVEL must be a number of jobs, 1 or more, not '" +
        std::string(level) + "': taking one per processor (" + std::to_string(processors) + ")");
    return processors;
}

} // namespace tools

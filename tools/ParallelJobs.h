#pragma once
// How many threads a build-time generator runs: as many as the build's
// CMAKE_BUILD_PARALLEL_LEVEL names, so that a build asked to keep to fewer
// cores (scripts/jobs.sh) does, else one per processor.
#include <functional>
#include <string>

namespace tools {

// `level` is the variable's value, null when it is not set. An empty value
// counts as unset; one that is no whole number of 1 or more is logged, and one
// thread per processor is taken instead.
int parallelJobs(const char* level, const std::function<void(const std::string&)>& log);

} // namespace tools

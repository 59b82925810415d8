#include "ProcessStart.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

extern char** environ;

namespace startbench {
namespace {

// How the stages of a start are told, with no change to the program measured:
// the benchmark watches the program's main thread through /proc. Qt paints a
// window shown at start in the first round of its event loop, before the loop
// first waits, so the first reading that finds the main thread asleep in one
// of the calls an event loop waits in (poll and its kin) marks the first
// paint done. The start is over when the main thread sleeps there and has
// used no processor time for kQuiet; its length runs to the last moment its
// processor time was seen to grow. Readings are kPollEvery apart: each moment
// is late by at most about that much.
using Clock = std::chrono::steady_clock;
constexpr auto kQuiet = std::chrono::milliseconds(250);
constexpr auto kPollEvery = std::chrono::microseconds(200);
constexpr auto kGiveUp = std::chrono::seconds(30);

bool waitsForEvents(long call)
{
    static const std::set<long> calls{
#ifdef SYS_poll
        SYS_poll,
#endif
#ifdef SYS_select
        SYS_select,
#endif
#ifdef SYS_epoll_wait
        SYS_epoll_wait,
#endif
        SYS_ppoll,      SYS_pselect6, SYS_epoll_pwait};
    return calls.count(call) > 0;
}

// The start of a /proc file; empty when it cannot be read.
std::string readShort(const std::string& path)
{
    char buffer[256];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

struct MainThread {
    long long runNs = -1; // processor time used so far
    long call = -1;       // the system call it sleeps in; -1 while it runs
};

MainThread readMainThread(pid_t pid)
{
    const std::string task = "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid);
    MainThread thread;
    const std::string schedstat = readShort(task + "/schedstat");
    if (!schedstat.empty())
        thread.runNs = std::strtoll(schedstat.c_str(), nullptr, 10);
    const std::string syscall = readShort(task + "/syscall");
    if (!syscall.empty() && syscall.rfind("running", 0) != 0)
        thread.call = std::strtol(syscall.c_str(), nullptr, 10);
    return thread;
}

// Distinct shared objects mapped into the process.
int countSharedLibraries(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> libraries;
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string path = line.substr(slash);
        const auto so = path.rfind(".so");
        if (so != std::string::npos && (so + 3 == path.size() || path[so + 3] == '.'))
            libraries.insert(path);
    }
    return static_cast<int>(libraries.size());
}

// This process's environment with the offscreen platform named.
std::vector<std::string> offscreenEnvironment()
{
    std::vector<std::string> variables{"QT_QPA_PLATFORM=offscreen"};
    for (char** v = environ; *v; ++v)
        if (std::strncmp(*v, "QT_QPA_PLATFORM=", 16) != 0)
            variables.emplace_back(*v);
    return variables;
}

} // namespace

std::optional<StartFigures> measureStart(const std::string& program, std::string& error)
{
    std::vector<std::string> variables = offscreenEnvironment();
    std::vector<char*> envp;
    envp.reserve(variables.size() + 1);
    for (auto& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string path = program;
    char* argv[] = {path.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = Clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        error = program + ": " + std::strerror(failed);
        return std::nullopt;
    }

    long long lastRun = -1;
    auto lastChange = start;
    std::optional<Clock::time_point> firstWait;
    bool idle = false;
    int status = 0;
    rusage usage{};
    while (!idle) {
        std::this_thread::sleep_for(kPollEvery);
        const auto now = Clock::now();
        if (::wait4(pid, &status, WNOHANG, &usage) == pid) {
            error = program + " ended before its start was idle";
            return std::nullopt;
        }
        const MainThread thread = readMainThread(pid);
        if (!firstWait && waitsForEvents(thread.call))
            firstWait = now;
        if (thread.runNs != lastRun) {
            lastRun = thread.runNs;
            lastChange = now;
        } else if (waitsForEvents(thread.call) && now - lastChange >= kQuiet) {
            idle = true;
        } else if (now - start > kGiveUp) {
            break;
        }
    }
    StartFigures figures;
    figures.sharedLibraries = countSharedLibraries(pid);
    ::kill(pid, SIGKILL);
    ::wait4(pid, &status, 0, &usage);
    if (!idle) {
        error = program + " was not idle within 30 s";
        return std::nullopt;
    }
    const auto ms = [start](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - start).count();
    };
    figures.startToFirstWaitMs = ms(firstWait.value_or(lastChange));
    figures.startToIdleMs = ms(lastChange);
    figures.peakRssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return figures;
}

} // namespace startbench

#pragma once
// A sweep of "Abrir página" over many pages, shared among processes of the
// sweeping program: each process opens every page whose index is its shard
// modulo the number of processes on a main screen of its own, making each
// page's bytes only when it opens it, and writes a line per page; the first
// process starts the others, reads their lines back and hands the results
// to the program's report.
//
//   <program> [--jobs N] [--only TEXT]
//
// N processes (by default one per processor, or CMAKE_BUILD_PARALLEL_LEVEL
// when it is set); with --only, just the pages whose name holds TEXT.
#include "ImportScreen.h"

#include <QApplication>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sweep {

// A page of a sweep: its name, and how to make its bytes.
struct Page {
    std::string name;
    std::function<std::string()> bytes;
};

// What a program reads off the screen once a page is shown, besides the
// passes of the event loop: figures of its own, in its own order.
using Measure = std::function<std::vector<std::size_t>(importbench::ImportScreen&)>;

struct Result {
    std::string name;
    untilidle::Passes passes;
    std::vector<std::size_t> figures;
};

struct Sweep {
    std::vector<Result> results;
    int processes = 0;
    double wallSeconds = 0;
};

inline bool wanted(const Page& page, const QString& only)
{
    return QString::fromStdString(page.name).contains(only);
}

// Opens the shard's pages, and writes a line for each: seconds to idle,
// longest pass, whether it went idle, the figures, the name.
inline int runShard(const std::vector<Page>& pages, const Measure& measure, int shard, int shards,
                    const QString& only)
{
    importbench::ImportScreen screen;
    std::size_t index = 0;
    for (const Page& page : pages) {
        if (!wanted(page, only) || index++ % std::size_t(shards) != std::size_t(shard))
            continue;
        screen.typePage(page.bytes());
        const untilidle::Passes passes = screen.click("buttonAbrirCifra");
        std::printf("%.4f\t%.4f\t%d", passes.seconds, passes.longestSeconds, passes.idle ? 1 : 0);
        if (measure)
            for (const std::size_t figure : measure(screen))
                std::printf("\t%zu", figure);
        std::printf("\t%s\n", page.name.c_str());
        std::fflush(stdout);
    }
    return 0;
}

inline Result parsedLine(const QList<QByteArray>& fields)
{
    Result result{fields.back().toStdString(),
                  {fields[0].toDouble(), fields[1].toDouble(), fields[2] == "1"},
                  {}};
    for (qsizetype i = 3; i + 1 < fields.size(); ++i)
        result.figures.push_back(fields[i].toULongLong());
    return result;
}

// Starts a process of the program for every shard and gathers their lines.
inline Sweep runShards(int jobs, const QString& only, bool& failed)
{
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int shard = 0; shard < jobs; ++shard) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QCoreApplication::applicationFilePath(),
                       {"--shard", QString::number(shard), QString::number(jobs), only});
        processes.push_back(std::move(process));
    }
    Sweep sweep;
    sweep.processes = jobs;
    for (auto& process : processes) {
        process->waitForFinished(-1);
        failed |= process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0;
        for (const QByteArray& line : process->readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() >= 4)
                sweep.results.push_back(parsedLine(fields));
        }
    }
    sweep.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return sweep;
}

// The ten results with the most of `key`, each with its time to idle and its
// longest pass.
template <class Key>
void printSlowest(const std::vector<Result>& results, const char* title, Key key)
{
    std::vector<Result> slowest = results;
    std::sort(slowest.begin(), slowest.end(),
              [&](const Result& a, const Result& b) { return key(a) > key(b); });
    slowest.resize(std::min<std::size_t>(10, slowest.size()));
    std::printf("%s\n%10s %12s  %s\n", title, "until idle", "longest pass", "page");
    for (const Result& result : slowest)
        std::printf("%8.0f ms %9.0f ms  %s%s\n", result.passes.seconds * 1000,
                    result.passes.longestSeconds * 1000, result.name.c_str(),
                    result.passes.idle ? "" : " (not idle within a minute)");
}

// The program's main: a shard's process, or the sweep with its report.
inline int run(int argc, char** argv, const std::function<std::vector<Page>()>& pages,
               const Measure& measure, const std::function<void(const Sweep&)>& report)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == "--shard")
        return runShard(pages(), measure, arguments[2].toInt(), arguments[3].toInt(), arguments[4]);
    int jobs = qEnvironmentVariableIntValue("CMAKE_BUILD_PARALLEL_LEVEL");
    QString only;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == "--jobs")
            jobs = arguments[i + 1].toInt();
        else if (arguments[i] == "--only")
            only = arguments[i + 1];
    }
    if (jobs <= 0)
        jobs = QThread::idealThreadCount();
    bool failed = false;
    report(runShards(jobs, only, failed));
    return failed ? 1 : 0;
}

} // namespace sweep

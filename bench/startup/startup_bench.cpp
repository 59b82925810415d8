// The whole program's start against a bare Qt window with a 5,000-row table
// (how the end of a start is told: ProcessStart.cpp), and the load of the
// fretboard picture that the start now reads instead of painting.
#include "ProcessStart.h"
#include "fretboard/FretboardPicture.h"
#include "platform/Images.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using startbench::StartFigures;

std::string besideThisProgram(const char* name)
{
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name))
        .toStdString();
}

double median(std::vector<StartFigures>& runs, const std::function<double(const StartFigures&)>& of)
{
    std::vector<double> values;
    values.reserve(runs.size());
    for (const auto& run : runs)
        values.push_back(of(run));
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// Each iteration starts both programs, one after the other; which goes first
// flips every pair so neither always follows the other. Figures are medians:
// *_ms from exec to the event loop idle, *_paint_ms to its first wait (just
// after the first paint), *_MiB the peak resident memory, *_libs the shared
// libraries loaded. The time column is the sum of the pair's *_ms.
void StartToIdle(benchmark::State& state)
{
    const std::string program = besideThisProgram("cifrario");
    const std::string bare = besideThisProgram("bare_table_window");
    std::string error;
    // One pair unmeasured, so both start from a warm file cache.
    startbench::measureStart(program, error);
    startbench::measureStart(bare, error);

    std::vector<StartFigures> programRuns;
    std::vector<StartFigures> bareRuns;
    bool bareFirst = false;
    for (auto _ : state) {
        std::optional<StartFigures> b =
            bareFirst ? startbench::measureStart(bare, error) : std::nullopt;
        const std::optional<StartFigures> a = startbench::measureStart(program, error);
        if (!bareFirst)
            b = startbench::measureStart(bare, error);
        bareFirst = !bareFirst;
        if (!a || !b) {
            state.SkipWithError(error.c_str());
            break;
        }
        programRuns.push_back(*a);
        bareRuns.push_back(*b);
        state.SetIterationTime((a->startToIdleMs + b->startToIdleMs) / 1000.0);
    }
    if (programRuns.empty())
        return;
    const auto paint = [](const StartFigures& f) { return f.startToFirstWaitMs; };
    const auto ms = [](const StartFigures& f) { return f.startToIdleMs; };
    const auto mib = [](const StartFigures& f) { return f.peakRssMiB; };
    const auto libraries = [](const StartFigures& f) { return double(f.sharedLibraries); };
    state.counters["cifrario_paint_ms"] = median(programRuns, paint);
    state.counters["bare_paint_ms"] = median(bareRuns, paint);
    state.counters["cifrario_ms"] = median(programRuns, ms);
    state.counters["bare_ms"] = median(bareRuns, ms);
    state.counters["ratio"] = median(programRuns, ms) / median(bareRuns, ms);
    state.counters["cifrario_MiB"] = median(programRuns, mib);
    state.counters["bare_MiB"] = median(bareRuns, mib);
    state.counters["MiB_ratio"] = median(programRuns, mib) / median(bareRuns, mib);
    state.counters["cifrario_libs"] = median(programRuns, libraries);
    state.counters["bare_libs"] = median(bareRuns, libraries);
}
BENCHMARK(StartToIdle)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// The fretboard picture at start: read from the bundle and decoded, at device
// pixel ratios 1 and 2.
void FretboardPictureLoad(benchmark::State& state)
{
    const fretboard::FretboardGeometry geometry(fretboard::kPictureSize);
    for (auto _ : state) {
        platform::clearImageCache();
        benchmark::DoNotOptimize(
            fretboard::paintFretboardPicture(geometry, static_cast<double>(state.range(0))));
    }
}
BENCHMARK(FretboardPictureLoad)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

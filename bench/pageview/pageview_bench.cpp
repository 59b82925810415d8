// Showing hostile pages in the page view: from the fetched bytes to the view
// idle again, at the size the main screen gives the view, its event loop run
// as the window runs it until nothing is left to do (the view lays a long
// document out in pieces on a timer). The longest single pass of the event
// loop, the longest a key press waits, is the counter "longestPass".
#include "bench/support/RepeatedPage.h"
#include "platform/PageView.h"
#include "tests/support/UntilIdle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {
using benchsupport::pageOf;

void showPage(benchmark::State& state, const std::string& page)
{
    for (auto _ : state) {
        state.PauseTiming();
        platform::PageView view;
        view.resize(190, 82); // the main screen's page view
        view.show();
        untilidle::untilIdleAfter(view, [] {});
        state.ResumeTiming();
        const untilidle::Passes passes = untilidle::untilIdleAfter(
            view, [&] { view.showPage(page); }, 60);
        state.counters["longestPass"] =
            std::max(state.counters["longestPass"].value, passes.longestSeconds);
        if (!passes.idle)
            state.SkipWithError("not idle within a minute");
    }
}

void hundredThousandUnclosedBold(benchmark::State& state)
{
    showPage(state, pageOf("<b>", 300000) + "fim");
}
BENCHMARK(hundredThousandUnclosedBold)->Unit(benchmark::kMillisecond)->UseRealTime();

void fiftyThousandUnclosedDiv(benchmark::State& state)
{
    showPage(state, pageOf("<div>", 250000) + "fim");
}
BENCHMARK(fiftyThousandUnclosedDiv)->Unit(benchmark::kMillisecond)->UseRealTime();

void fiveMebibytesOfDiv(benchmark::State& state)
{
    showPage(state, pageOf("<div>", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfDiv)->Unit(benchmark::kMillisecond)->UseRealTime();

void fiveMebibytesOfBoldAm(benchmark::State& state)
{
    showPage(state, pageOf("<b>Am</b>", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfBoldAm)->Unit(benchmark::kMillisecond)->UseRealTime();

void fiveMebibytesOfFlatParagraphs(benchmark::State& state)
{
    showPage(state, pageOf("<p>Am G7 <i>C</i></p>\n", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfFlatParagraphs)->Unit(benchmark::kMillisecond)->UseRealTime();

void ordinaryPage(benchmark::State& state)
{
    showPage(state, "<html><body><h1>Cifra</h1>" +
                        pageOf("<p><b>Am</b> letra da música <b>G7</b> mais letra</p>\n", 20000) +
                        "</body></html>");
}
BENCHMARK(ordinaryPage)->Unit(benchmark::kMillisecond)->UseRealTime();

void longWords(benchmark::State& state)
{
    showPage(state, pageOf("Am", static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(longWords)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond)->UseRealTime();

void longSpacedParagraph(benchmark::State& state)
{
    showPage(state, pageOf("Am ", static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(longSpacedParagraph)
    ->Arg(100000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void fiveMebibytesOfNestedTables(benchmark::State& state)
{
    showPage(state, pageOf("<table><tr><td>x", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfNestedTables)->Unit(benchmark::kMillisecond)->UseRealTime();

void manySmallNestedTables(benchmark::State& state)
{
    showPage(state, pageOf(pageOf("<table><tr><td>", 24 * 15) + "x" +
                               pageOf("</td></tr></table>", 24 * 18),
                           5 * 1024 * 1024));
}
BENCHMARK(manySmallNestedTables)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

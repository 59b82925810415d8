// Showing hostile pages in the page view: from the fetched bytes to the view
// laid out and painted once, at the size the main screen gives the view.
#include "bench/support/RepeatedPage.h"
#include "platform/PageView.h"

#include <QAbstractTextDocumentLayout>
#include <QPixmap>
#include <benchmark/benchmark.h>

#include <string>

namespace {
using benchsupport::pageOf;

void showPage(benchmark::State& state, const std::string& page)
{
    for (auto _ : state) {
        platform::PageView view;
        view.resize(208, 142); // the main screen's page view
        view.showPage(page);
        benchmark::DoNotOptimize(view.document()->documentLayout()->documentSize());
        benchmark::DoNotOptimize(view.grab());
    }
}

void hundredThousandUnclosedBold(benchmark::State& state)
{
    showPage(state, pageOf("<b>", 300000) + "fim");
}
BENCHMARK(hundredThousandUnclosedBold)->Unit(benchmark::kMillisecond);

void fiftyThousandUnclosedDiv(benchmark::State& state)
{
    showPage(state, pageOf("<div>", 250000) + "fim");
}
BENCHMARK(fiftyThousandUnclosedDiv)->Unit(benchmark::kMillisecond);

void fiveMebibytesOfDiv(benchmark::State& state)
{
    showPage(state, pageOf("<div>", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfDiv)->Unit(benchmark::kMillisecond);

void fiveMebibytesOfBoldAm(benchmark::State& state)
{
    showPage(state, pageOf("<b>Am</b>", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfBoldAm)->Unit(benchmark::kMillisecond);

void fiveMebibytesOfFlatParagraphs(benchmark::State& state)
{
    showPage(state, pageOf("<p>Am G7 <i>C</i></p>\n", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfFlatParagraphs)->Unit(benchmark::kMillisecond);

void ordinaryPage(benchmark::State& state)
{
    showPage(state, "<html><body><h1>Cifra</h1>" +
                        pageOf("<p><b>Am</b> letra da música <b>G7</b> mais letra</p>\n", 20000) +
                        "</body></html>");
}
BENCHMARK(ordinaryPage)->Unit(benchmark::kMillisecond);

void longWords(benchmark::State& state)
{
    showPage(state, pageOf("Am", static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(longWords)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

void longSpacedParagraph(benchmark::State& state)
{
    showPage(state, pageOf("Am ", static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(longSpacedParagraph)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

void fiveMebibytesOfNestedTables(benchmark::State& state)
{
    showPage(state, pageOf("<table><tr><td>x", 5 * 1024 * 1024));
}
BENCHMARK(fiveMebibytesOfNestedTables)->Unit(benchmark::kMillisecond);

void manySmallNestedTables(benchmark::State& state)
{
    showPage(state, pageOf(pageOf("<table><tr><td>", 24 * 15) + "x" +
                               pageOf("</td></tr></table>", 24 * 18),
                           5 * 1024 * 1024));
}
BENCHMARK(manySmallNestedTables)->Unit(benchmark::kMillisecond);
} // namespace

// Reading a fetched page into the page view's markup (decoding, the HTML
// parser and the writer: the work done off the main thread), on pages of
// parser events that add little or no text, with the bound on the parser's
// events at several values (0: no bound). The time a page's reading takes
// grows with its events until the bound stops it.
#include "bench/support/RepeatedPage.h"
#include "platform/page/PageMarkup.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {
using benchsupport::pageOf;

constexpr std::size_t kPage = 5 * 1024 * 1024;

void readPage(benchmark::State& state, const std::string& page)
{
    platform::PageMarkupLimits limits;
    limits.maxParseEvents =
        state.range(0) == 0 ? SIZE_MAX : static_cast<std::size_t>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::pageToShow(page, limits));
}

void registerPage(const std::string& name, const std::string& page)
{
    benchmark::RegisterBenchmark(name.c_str(), readPage, page)
        ->Arg(1)
        ->Arg(100000)
        ->Arg(300000)
        ->Arg(1000000)
        ->Arg(0)
        ->Unit(benchmark::kMillisecond);
}

const int registered = [] {
    registerPage("openedElements", pageOf("<a>", kPage));
    registerPage("openedAndClosed", pageOf("<a></a>", kPage));
    registerPage("unknownEntitiesInTitle", "<title>" + pageOf("&a;", kPage) + "</title>");
    registerPage("unknownEntitiesInText", "<p>" + pageOf("&a;", kPage));
    registerPage("comments", pageOf("<!---->", kPage));
    registerPage("leftOutScripts", pageOf("<script></script>", kPage));
    registerPage("tableCells", pageOf("<td>", kPage));
    registerPage("boldLetters", pageOf("<b>a</b>b", kPage));
    registerPage("ordinaryParagraphs",
                 pageOf("<p><b>Am</b> letra da música <b>G7</b> mais letra</p>\n", kPage));
    return 0;
}();

} // namespace

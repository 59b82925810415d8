// Reading chord names out of big pages: a 5 MiB page of "<b>Am</b>", and
// 1 MiB of bold names that match no symbol, against the whole catalogue; and
// the 5 MiB page read into the favourites, each chord once.
#include "bench/support/RepeatedPage.h"
#include "catalogue/CatalogueLoader.h"
#include "finder/ChordFinder.h"
#include "finder/ChordNameScan.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {
const catalogue::ChordList& realCatalogue()
{
    static const catalogue::ChordListRef records = catalogue::loadCatalogue(
        std::string(CIFRARIO_SOURCE_DIR) + "/resources/catalogue.tsv", [](const std::string&) {});
    return *records;
}

void readPage(benchmark::State& state, const std::string& piece, std::size_t bytes)
{
    const catalogue::ChordList& records = realCatalogue();
    const std::string page = benchsupport::pageOf(piece, bytes);
    std::size_t found = 0;
    for (auto _ : state) {
        const auto chords = finder::chordsNamedInText(page, records);
        found = chords.size();
        benchmark::DoNotOptimize(chords.data());
    }
    state.counters["records found"] = static_cast<double>(found);
}

void fiveMebibytesOfAm(benchmark::State& state)
{
    readPage(state, "<b>Am</b>", 5 * 1024 * 1024);
}
BENCHMARK(fiveMebibytesOfAm)->Unit(benchmark::kMillisecond);

void fiveMebibytesOfAmIntoTheFavourites(benchmark::State& state)
{
    finder::ChordFinder finder;
    finder.start(std::make_shared<catalogue::ChordList>(realCatalogue()));
    const std::string page = benchsupport::pageOf("<b>Am</b>", 5 * 1024 * 1024);
    for (auto _ : state) {
        finder.ClearFavorites();
        finder.lerCifras(page);
    }
    state.counters["favourites"] = static_cast<double>(finder.filteredFavorite()->size());
}
BENCHMARK(fiveMebibytesOfAmIntoTheFavourites)->Unit(benchmark::kMillisecond);

void oneMebibyteOfUnknownNames(benchmark::State& state)
{
    readPage(state, "<b>Xz9</b>", 1024 * 1024);
}
BENCHMARK(oneMebibyteOfUnknownNames)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();

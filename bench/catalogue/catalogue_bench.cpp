// Loading the committed catalogue, and generating it from its inputs.
#include "CatalogueGenerator.h"
#include "catalogue/CatalogueLoader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {
const std::string kSource = CIFRARIO_SOURCE_DIR;

void loadCatalogue(benchmark::State& state)
{
    std::size_t records = 0;
    for (auto _ : state) {
        auto list = catalogue::loadCatalogue(kSource + "/resources/catalogue.tsv",
                                             [](const std::string&) {});
        records = list->size();
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * records));
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(loadCatalogue)->Unit(benchmark::kMillisecond);

void generateCatalogue(benchmark::State& state)
{
    for (auto _ : state) {
        auto text =
            voicings::generateCatalogue(voicings::readInputs(kSource + "/tools/voicings/data"));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(generateCatalogue)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();

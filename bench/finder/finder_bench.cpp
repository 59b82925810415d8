// The main screen's costs: its cold start split into layout, catalogue and
// sample bank; a search keystroke over the whole catalogue; and the photo
// table's thumbnails, first drawn and once cached.
#include "catalogue/CatalogueLoader.h"
#include "finder/ChordPhotos.h"
#include "finder/FirstViewController.h"
#include "finder/TableViewCell.h"
#include "fretboard/SampleBank.h"
#include "platform/Bundle.h"
#include "platform/LayoutLoader.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

void BM_ColdStartWholeScreen(benchmark::State& state)
{
    for (auto _ : state) {
        auto screen = std::make_shared<finder::FirstViewController>();
        benchmark::DoNotOptimize(screen->view());
        state.PauseTiming();
        screen.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ColdStartWholeScreen)->Unit(benchmark::kMillisecond);

void BM_ColdStartLayoutOnly(benchmark::State& state)
{
    finder::FirstViewController registersTheTableClass;
    for (auto _ : state) {
        QWidget* view = platform::loadLayout("FirstViewController");
        benchmark::DoNotOptimize(view);
        state.PauseTiming();
        delete view;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ColdStartLayoutOnly)->Unit(benchmark::kMillisecond);

void BM_ColdStartCatalogueOnly(benchmark::State& state)
{
    const std::string path = *platform::Bundle::main().pathForResource("catalogue", "tsv");
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue::loadCatalogue(path, [](const std::string&) {}));
}
BENCHMARK(BM_ColdStartCatalogueOnly)->Unit(benchmark::kMillisecond);

// A fresh engine each time, so every sample is read and decoded again.
void BM_ColdStartSampleBankOnly(benchmark::State& state)
{
    for (auto _ : state) {
        fretboard::SampleBank bank(std::make_shared<platform::AudioEngine>());
        bank.loadForMainScreen(platform::Bundle::main());
        benchmark::DoNotOptimize(bank.player(6, 3));
    }
}
BENCHMARK(BM_ColdStartSampleBankOnly)->Unit(benchmark::kMillisecond);

struct ShownScreen {
    std::shared_ptr<finder::FirstViewController> screen =
        std::make_shared<finder::FirstViewController>();
    ShownScreen()
    {
        screen->view()->resize(1164, 800);
        screen->view()->show();
        QApplication::processEvents();
    }
};

// One keystroke: the catalogue filtered by the text and both chord tables
// reset; alternating texts so each pass does the work.
void BM_SearchKeystroke(benchmark::State& state)
{
    ShownScreen shown;
    const std::string texts[] = {"m7", "C"};
    std::size_t i = 0;
    for (auto _ : state)
        shown.screen->searchBarTextDidChange(texts[i++ % 2]);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

// The same keystroke and the tables laid out and painted again.
void BM_SearchKeystrokeAndRepaint(benchmark::State& state)
{
    ShownScreen shown;
    auto& s = *shown.screen;
    const std::string texts[] = {"m7", "C"};
    std::size_t i = 0;
    for (auto _ : state) {
        s.searchBarTextDidChange(texts[i++ % 2]);
        benchmark::DoNotOptimize(s.tableViewCifras->grab());
        benchmark::DoNotOptimize(s.tableViewFotos->grab());
    }
}
BENCHMARK(BM_SearchKeystrokeAndRepaint)->Unit(benchmark::kMicrosecond);

// A thumbnail seen for the first time: decoded at thumbnail size and greyed.
void BM_ThumbnailFirstView(benchmark::State& state)
{
    ShownScreen shown;
    const auto& all = *shown.screen->allTableData;
    finder::ThumbnailCache cache(QSize(112, 84), true, all.size());
    std::size_t i = 0;
    for (auto _ : state) {
        if (i == all.size()) {
            state.PauseTiming();
            cache.clear();
            i = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(cache.thumbnail(all[i++]->Image));
    }
}
BENCHMARK(BM_ThumbnailFirstView)->Unit(benchmark::kMicrosecond);

// One frame of scrolling the photo table by a row over thumbnails already
// in the cache.
void BM_PhotoTableFrameCached(benchmark::State& state)
{
    ShownScreen shown;
    auto* table = shown.screen->tableViewFotos.data();
    QScrollBar* bar = table->verticalScrollBar();
    const int row = 96;
    for (int y = 0; y <= 10 * row; y += row) { // warm the cache over the range
        bar->setValue(y);
        table->viewport()->grab();
    }
    int y = 0, step = row;
    for (auto _ : state) {
        y += step;
        if (y <= 0 || y >= 8 * row)
            step = -step;
        bar->setValue(y);
        benchmark::DoNotOptimize(table->viewport()->grab());
    }
}
BENCHMARK(BM_PhotoTableFrameCached)->Unit(benchmark::kMicrosecond);

} // namespace

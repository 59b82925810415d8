// The main screen's costs: its cold start split into layout, catalogue and
// sample bank; a search keystroke over the whole catalogue; and the photo
// table's thumbnails, first drawn and once cached.
#include "catalogue/CatalogueLoader.h"
#include "finder/ChordPhotos.h"
#include "finder/FirstViewController.h"
#include "finder/TableView.h"
#include "finder/TableViewCell.h"
#include "fretboard/FretboardPanel.h"
#include "fretboard/SampleBank.h"
#include "platform/Bundle.h"
#include "ui_FirstViewController.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <set>

namespace {

// A main screen whose bank plays through an engine of its own, so every
// sample is read and decoded again.
class ColdScreen : public finder::FirstViewController {
public:
    void viewDidLoad() override
    {
        fretboard()->useAudioEngine(std::make_shared<platform::AudioEngine>());
        finder::FirstViewController::viewDidLoad();
    }
};

// The screen made, started and painted once, from cold.
void BM_ColdStartWholeScreen(benchmark::State& state)
{
    for (auto _ : state) {
        auto screen = std::make_shared<ColdScreen>();
        screen->view()->resize(1164, 800);
        benchmark::DoNotOptimize(screen->view()->grab());
        state.PauseTiming();
        screen.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ColdStartWholeScreen)->Unit(benchmark::kMillisecond);

void BM_ColdStartLayoutOnly(benchmark::State& state)
{
    for (auto _ : state) {
        auto view = std::make_unique<QWidget>();
        Ui::FirstViewController layout;
        layout.setupUi(view.get());
        benchmark::DoNotOptimize(layout.fretboard);
        state.PauseTiming();
        view.reset();
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
    auto* chords = s.outlet<finder::TableView>("tableViewCifras");
    auto* photos = s.outlet<finder::TableView>("tableViewFotos");
    for (auto _ : state) {
        s.searchBarTextDidChange(texts[i++ % 2]);
        benchmark::DoNotOptimize(chords->grab());
        benchmark::DoNotOptimize(photos->grab());
    }
}
BENCHMARK(BM_SearchKeystrokeAndRepaint)->Unit(benchmark::kMicrosecond);

// A thumbnail seen for the first time: decoded at thumbnail size and greyed.
// Each photograph once per cache, so every pass decodes.
void BM_ThumbnailFirstView(benchmark::State& state)
{
    ShownScreen shown;
    std::set<std::string> distinct;
    for (const auto& record : *shown.screen->finder().allTableData())
        distinct.insert(record->Image);
    const std::vector<std::string> stems(distinct.begin(), distinct.end());
    finder::ThumbnailCache cache(QSize(96, 72), true, stems.size()); // the photo table's size
    std::size_t i = 0;
    for (auto _ : state) {
        if (i == stems.size()) {
            state.PauseTiming();
            cache.clear();
            i = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(cache.thumbnail(stems[i++]));
    }
}
BENCHMARK(BM_ThumbnailFirstView)->Unit(benchmark::kMicrosecond);

// One frame of scrolling the photo table by a row over thumbnails already
// in the cache.
void BM_PhotoTableFrameCached(benchmark::State& state)
{
    ShownScreen shown;
    auto* table = shown.screen->outlet<finder::TableView>("tableViewFotos");
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

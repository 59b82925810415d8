// The main screen's costs: its cold start split into layout, catalogue and
// sample bank; a chord-row tap up to the chord's play command; a search
// keystroke over the whole catalogue and over a catalogue a hundred times its
// size; and the photo table's thumbnails, first drawn and once cached.
#include "catalogue/CatalogueLoader.h"
#include "finder/ChordPhotos.h"
#include "finder/FirstViewController.h"
#include "finder/TableView.h"
#include "finder/TableViewCell.h"
#include "fretboard/FretboardPanel.h"
#include "fretboard/SampleBank.h"
#include "platform/Bundle.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioEngine.h"
#include "ui_FirstViewController.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <chrono>
#include <set>

namespace {

// A main screen whose bank plays through an engine of its own, so every
// sample is read and decoded again.
class ColdScreen : public finder::FirstViewController {
public:
    std::shared_ptr<platform::AudioEngine> engine = std::make_shared<platform::AudioEngine>();

    void viewDidLoad() override
    {
        fretboard()->useAudioEngine(engine);
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
    std::shared_ptr<finder::FirstViewController> screen;
    explicit ShownScreen(std::shared_ptr<finder::FirstViewController> shown =
                             std::make_shared<finder::FirstViewController>())
        : screen(std::move(shown))
    {
        screen->view()->resize(1164, 800);
        screen->view()->show();
        QApplication::processEvents();
    }
};

using Clock = std::chrono::steady_clock;

// A main screen on an engine of its own that notes when a chord's photograph
// begins to decode, and how many hand-overs the mix had had by then.
class TapTimedScreen : public ColdScreen {
public:
    Clock::time_point photoStarted;
    std::uint64_t publicationsAtPhoto = 0;

protected:
    void showChordPhoto(const std::string& stem) override
    {
        photoStarted = Clock::now();
        publicationsAtPhoto = engine->publications();
        finder::FirstViewController::showChordPhoto(stem);
    }
};

// A chord-row tap through the real path: from the chord table's row signal,
// as a click reaches the screen's handler, to the chord's play command handed
// to the mix, with every sample decoded. The photograph's decode comes after
// the command and is left out (photo_us); the chord's label and favourite
// mark, set between the two, are counted in, so the figure is an upper bound.
// From the play command to the first sound: BM_PlayCommandToFirstSound in
// audio_bench.
void BM_ChordRowTapToPlayCommand(benchmark::State& state)
{
    auto timed = std::make_shared<TapTimedScreen>();
    ShownScreen shown(timed);
    platform::drainMainQueue(); // the first paint lets the background decoding start
    timed->engine->waitForBackgroundDecoding();
    auto* chords = timed->outlet<finder::TableView>("tableViewCifras");
    std::vector<float> buffer(platform::AudioEngine::kBufferFrames *
                              platform::AudioEngine::kChannels);
    const int rows = std::min(chords->numberOfRows(), 64);
    int row = 0;
    double photoSeconds = 0;
    Q_EMIT chords->didSelectRow(rows - 1); // the engine takes its decoded samples
    for (auto _ : state) {
        const std::uint64_t before = timed->engine->publications();
        const auto tapped = Clock::now();
        Q_EMIT chords->didSelectRow(row);
        const auto done = Clock::now();
        if (timed->publicationsAtPhoto != before + 1) {
            state.SkipWithError("the photograph was decoded before the play command");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(timed->photoStarted - tapped).count());
        photoSeconds += std::chrono::duration<double>(done - timed->photoStarted).count();
        // The mix takes the commands, as the device would between taps.
        timed->engine->render(buffer.data(), platform::AudioEngine::kBufferFrames);
        row = (row + 1) % rows;
    }
    state.counters["photo_us"] =
        benchmark::Counter(1e6 * photoSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ChordRowTapToPlayCommand)->Unit(benchmark::kMicrosecond)->UseManualTime();

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

// Keystrokes, each followed by both chord tables laid out and painted again.
void typeAndRepaint(benchmark::State& state, finder::FirstViewController& s)
{
    const std::string texts[] = {"m7", "C"};
    std::size_t i = 0;
    auto* chords = s.outlet<finder::TableView>("tableViewCifras");
    auto* photos = s.outlet<finder::TableView>("tableViewFotos");
    for (auto _ : state) {
        s.searchBarTextDidChange(texts[i++ % 2]);
        benchmark::DoNotOptimize(chords->grab());
        benchmark::DoNotOptimize(photos->grab());
    }
    state.counters["rows_shown"] = chords->numberOfRows();
}

// The same keystroke and the tables laid out and painted again.
void BM_SearchKeystrokeAndRepaint(benchmark::State& state)
{
    ShownScreen shown;
    typeAndRepaint(state, *shown.screen);
}
BENCHMARK(BM_SearchKeystrokeAndRepaint)->Unit(benchmark::kMicrosecond);

// The same over a catalogue a hundred times the bundled one: each record
// copied a hundred times, so the search reads 100 x 4,957 distinct records.
void BM_SearchKeystrokeAndRepaint100x(benchmark::State& state)
{
    ShownScreen shown;
    auto& s = *shown.screen;
    auto large = std::make_shared<catalogue::ChordList>();
    const auto& bundled = *s.finder().allTableData();
    large->reserve(100 * bundled.size());
    for (int copy = 0; copy < 100; ++copy)
        for (const auto& record : bundled)
            large->push_back(std::make_shared<catalogue::Acorde>(*record));
    s.finder().start(large);
    typeAndRepaint(state, s);
    state.counters["records"] = static_cast<double>(large->size());
}
BENCHMARK(BM_SearchKeystrokeAndRepaint100x)->Unit(benchmark::kMillisecond);

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

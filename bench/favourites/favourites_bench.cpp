// The favourites screen over a Documents folder of 100,000 entries: opening
// the screen (its start-up lists the folder and fills the list table, and the
// first paint lays the table out), a tap on a list, which opens it and runs
// the start-up again, and a save, each up to the next paint.
#include "favourites/FavViewController.h"
#include "platform/Application.h"
#include "platform/Log.h"
#include "platform/audio/AudioEngine.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
constexpr int kEntries = 100000;

// A data folder whose Documents folder holds kEntries small lists, made once
// and removed when the program ends. It is never destroyed, so the removal at
// exit still finds it.
const std::filesystem::path& crowdedDataFolder()
{
    static const std::filesystem::path* const folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "favourites-bench-XXXXXX").string();
        auto* data = new std::filesystem::path(::mkdtemp(pattern.data()));
        const std::filesystem::path documents = *data / "Cifrario" / "Documents";
        std::filesystem::create_directories(documents);
        for (int i = 0; i < kEntries; ++i)
            std::ofstream(documents / ("lista " + std::to_string(i)))
                << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n"
                   "<array><string>001319</string></array></plist>\n";
        return data;
    }();
    static const int removal = std::atexit([] { std::filesystem::remove_all(*folder); });
    (void)removal;
    return *folder;
}

std::shared_ptr<favourites::FavViewController> openScreen()
{
    auto screen =
        std::make_shared<favourites::FavViewController>(std::make_shared<platform::AudioEngine>());
    screen->setFilteredTableData(std::make_shared<catalogue::ChordList>());
    // Each list holds "001319", which this one-record catalogue answers.
    screen->setAllTableData(std::make_shared<catalogue::ChordList>(catalogue::ChordList{
        std::make_shared<catalogue::Acorde>("1", "001319", "C ", "  . ", "Maior", " ", "C",
                                            "DS1_0019", " ", "1", "0", "2", "3", " ", " ", " ")}));
    screen->view()->resize(1164, 800);
    screen->view()->show();
    QCoreApplication::processEvents();
    return screen;
}

void setUpEnvironment()
{
    ::setenv("XDG_DATA_HOME", crowdedDataFolder().c_str(), 1);
    platform::nameApplication();
    platform::setLogThreshold(platform::LogLevel::Warning);
}

void BM_OpenScreenWith100000Entries(benchmark::State& state)
{
    setUpEnvironment();
    for (auto _ : state) {
        auto screen = openScreen();
        benchmark::DoNotOptimize(screen->view()->grab());
        state.PauseTiming();
        state.counters["rows"] = screen->view()->findChild<QListWidget*>("tablePlist")->count();
        screen.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenScreenWith100000Entries)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TapAListAmong100000Entries(benchmark::State& state)
{
    setUpEnvironment();
    auto screen = openScreen();
    int row = 0;
    for (auto _ : state) {
        screen->tableDidSelectRow(row++);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(screen->view()->grab());
    }
    state.counters["favourites"] = static_cast<double>(screen->filteredTableData()->size());
}
BENCHMARK(BM_TapAListAmong100000Entries)->Unit(benchmark::kMillisecond)->Iterations(3);

// A save among the 100,000 entries: the file written, the folder listed
// twice, the table filled with the new listing.
void BM_SaveAmong100000Entries(benchmark::State& state)
{
    setUpEnvironment();
    auto screen = openScreen();
    screen->filteredTableData()->assign(100, screen->allTableData()->front());
    screen->view()->findChild<QLineEdit*>("nomeListaFav")->setText(QStringLiteral("nova"));
    for (auto _ : state) {
        screen->salvarListaFav();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(screen->view()->grab());
    }
    state.counters["rows"] = screen->view()->findChild<QListWidget*>("tablePlist")->count();
}
BENCHMARK(BM_SaveAmong100000Entries)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

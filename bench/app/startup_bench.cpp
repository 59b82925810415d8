// Start-up of the application shell: the window with its root controller, the
// launch handler, and the about screen's layout.
#include "app/AppDelegate.h"
#include "app/SecondViewController.h"
#include "platform/Log.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// A session that opens no device, so the figure is the shell's own cost.
class QuietSession : public platform::AudioSession {
public:
    platform::Result<void> setCategory(Category) override { return {}; }
    platform::Result<void> setActive(bool) override { return {}; }
};

void ShellLaunch(benchmark::State& state)
{
    QuietSession session;
    for (auto _ : state) {
        platform::Application application;
        app::AppDelegate delegate(session);
        platform::LogCapture quiet;
        platform::launch(application, delegate,
                         [] { return std::make_shared<platform::ViewController>(); });
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(delegate.window->frame());
    }
}
BENCHMARK(ShellLaunch)->Unit(benchmark::kMillisecond);

void AboutScreenLoad(benchmark::State& state)
{
    for (auto _ : state) {
        auto about = std::make_shared<app::SecondViewController>();
        benchmark::DoNotOptimize(about->view());
    }
}
BENCHMARK(AboutScreenLoad)->Unit(benchmark::kMillisecond);

} // namespace

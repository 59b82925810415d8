// Cost of the chord photographs: preparing the empty necks, drawing one
// voicing, and drawing plus JPEG encoding, on one thread.
#include "tools/photos/ChordPhoto.h"
#include "tools/photos/PhotoWriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <benchmark/benchmark.h>

namespace {
constexpr int X = photos::kMuted;
const photos::FretPattern kF{1, 1, 2, 3, 3, 1};

void prepareNecks(benchmark::State& state)
{
    for (auto _ : state) {
        photos::ChordPhotoPainter painter;
        benchmark::DoNotOptimize(&painter);
    }
}
BENCHMARK(prepareNecks)->Unit(benchmark::kMillisecond);

void renderVoicing(benchmark::State& state)
{
    static const photos::ChordPhotoPainter painter;
    for (auto _ : state)
        benchmark::DoNotOptimize(painter.render(kF));
}
BENCHMARK(renderVoicing)->Unit(benchmark::kMillisecond);

void renderAndEncode(benchmark::State& state)
{
    static const photos::ChordPhotoPainter painter;
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(photos::kJpegQuality);
        writer.write(painter.render({X, 1, 0, 2, 3, X}));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(renderAndEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(renderAndEncode)->Unit(benchmark::kMillisecond)->Threads(4)->UseRealTime();
} // namespace

#include "tools/photos/PhotoWriter.h"

#include <QDir>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace photos {

namespace {
bool writeJpeg(const QImage& image, const QString& path, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image)) {
        error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
} // namespace

int writePhotos(const ChordPhotoPainter& painter, const std::vector<StemShape>& shapes,
                const QString& folder, int threads,
                const std::function<void(const std::string&)>& log)
{
    const QDir dir(folder);
    std::atomic<std::size_t> next{0};
    std::atomic<int> failures{0};
    std::mutex logMutex;
    auto work = [&] {
        for (std::size_t i = next++; i < shapes.size(); i = next++) {
            const auto& shape = shapes[i];
            const QString path = dir.filePath(QString::fromStdString(shape.stem) + ".jpg");
            QString error;
            if (!writeJpeg(painter.render(shape.frets), path, error)) {
                ++failures;
                std::lock_guard lock(logMutex);
                log("Foto não gravada: " + path.toStdString() + ": " + error.toStdString());
            }
        }
    };
    std::vector<std::thread> pool;
    const int count = std::max(1, threads);
    for (int t = 1; t < count; ++t)
        pool.emplace_back(work);
    work();
    for (auto& thread : pool)
        thread.join();
    return failures;
}

} // namespace photos

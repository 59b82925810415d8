#include "tools/photos/PhotoWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

namespace photos {

namespace {
// Encodes in memory, then writes a temporary file beside the target and renames
// it over the target, so a reader never sees half a picture. No sync to disk:
// these are build outputs, remade whenever they are missing.
bool writeJpeg(const QImage& image, const QString& path, QString& error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image)) {
        error = writer.errorString();
        return false;
    }
    const QString temporary = path + ".part";
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        file.remove();
        return false;
    }
    file.close();
    std::error_code failed;
    std::filesystem::rename(temporary.toStdString(), path.toStdString(), failed);
    if (failed) {
        error = QString::fromStdString(failed.message());
        QFile::remove(temporary);
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

// Build-time generator of the chord photographs: one JPEG per photo stem of the
// catalogue, written into the bundle folder.
//   chord_photos <catalogue.tsv> <bundle folder>
#include "catalogue/CatalogueLoader.h"
#include "tools/ParallelJobs.h"
#include "tools/photos/ChordPhoto.h"
#include "tools/photos/PhotoStems.h"
#include "tools/photos/PhotoWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    auto log = [](const std::string& line) { std::cerr << line << '\n'; };
    if (argc != 3) {
        log("uso: chord_photos <catalogue.tsv> <pasta do bundle>");
        return 2;
    }
    if (!QImageWriter::supportedImageFormats().contains("jpeg")) {
        log("Fotos: o Qt não tem o formato JPEG");
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto records = catalogue::loadCatalogue(argv[1], log);
    if (records->empty()) {
        log(std::string("Fotos: nenhum acorde em ") + argv[1]);
        return 1;
    }
    const auto shapes = photos::distinctStems(*records, log);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(folder)) {
        log("Fotos: não foi possível criar " + folder.toStdString());
        return 1;
    }
    const photos::ChordPhotoPainter painter;
    const int threads =
        tools::parallelJobs(std::getenv("CMAKE_BUILD_PARALLEL_LEVEL"),
                            [&](const std::string& line) { log("chord_photos: " + line); });
    const int failures = photos::writePhotos(painter, shapes, folder, threads, log);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "Fotos: %zu de %zu gravadas em %.2f s (%d linhas)\n",
                 shapes.size() - std::size_t(failures), shapes.size(), seconds, threads);
    return failures == 0 ? 0 : 1;
}

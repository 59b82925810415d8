// Build-time generator of the program's pictures (fret marks, icons, the
// instructions overlay and the fretboard), written into the bundle folder.
//   bundle_images <bundle folder>
#include "tools/images/BundleImages.h"

#include <QDir>
#include <QGuiApplication>

#include <iostream>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    auto log = [](const std::string& line) { std::cerr << line << '\n'; };
    if (argc != 2) {
        log("uso: bundle_images <pasta do bundle>");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        log("Imagens: não foi possível criar " + folder.toStdString());
        return 1;
    }
    return images::writeImages(folder, log) == 0 ? 0 : 1;
}

#include "tools/images/BundleImages.h"

#include "fretboard/FretboardPicture.h"
#include "tools/images/FretboardDrawing.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>

#include <cmath>

namespace images {

namespace {
QImage transparentCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

struct BallColours {
    QColor highlight, body, rim;
};

// A sphere lit from the upper left, with a soft contact shadow and a specular spot.
void paintBall(QPainter& p, QPointF centre, double radius, const BallColours& c)
{
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(centre + QPointF(radius * 0.12, radius * 0.2), radius * 1.12);
    shadow.setColorAt(0.75, QColor(0, 0, 0, 110));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(centre + QPointF(radius * 0.12, radius * 0.2), radius * 1.12, radius * 1.12);

    QRadialGradient body(centre, radius, centre - QPointF(radius * 0.38, radius * 0.42));
    body.setColorAt(0.0, c.highlight);
    body.setColorAt(0.55, c.body);
    body.setColorAt(1.0, c.rim);
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);

    // Light bounced back from below.
    QRadialGradient bounce(centre + QPointF(0, radius * 0.75), radius * 0.6);
    bounce.setColorAt(0.0, QColor(255, 255, 255, 50));
    bounce.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(bounce);
    p.drawEllipse(centre, radius, radius);

    const QPointF spot = centre - QPointF(radius * 0.36, radius * 0.42);
    QRadialGradient specular(spot, radius * 0.36);
    specular.setColorAt(0.0, QColor(255, 255, 255, 235));
    specular.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(specular);
    p.drawEllipse(spot, radius * 0.4, radius * 0.3);
}

const BallColours kIvory{QColor(255, 253, 246), QColor(232, 222, 198), QColor(128, 116, 94)};
const BallColours kRootRed{QColor(255, 196, 160), QColor(232, 70, 36), QColor(110, 18, 8)};

QPainterPath starPath(QPointF centre, double outer, double inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt = centre + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

// A stroke with a dark edge so it reads on any background.
void outlinedStroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 150), width + 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// A curved arrow along `path`, its head at the end.
void drawArrow(QPainter& p, const QPainterPath& path, const QColor& colour)
{
    const QPointF tip = path.pointAtPercent(1.0);
    const double angle = -path.angleAtPercent(1.0) * M_PI / 180.0;
    auto at = [&](double along, double across) {
        return tip + QPointF(along * std::cos(angle) - across * std::sin(angle),
                             along * std::sin(angle) + across * std::cos(angle));
    };
    QPainterPath head;
    head.moveTo(at(4, 0));
    head.lineTo(at(-16, -10));
    head.lineTo(at(-12, 0));
    head.lineTo(at(-16, 10));
    head.closeSubpath();
    // The shaft stops inside the head so its round end does not show.
    QPainterPath shaft;
    shaft.moveTo(path.pointAtPercent(0));
    const int steps = 40;
    for (int i = 1; i <= steps; ++i) {
        const double t = path.percentAtLength(path.length() * i / steps * 0.97);
        shaft.lineTo(path.pointAtPercent(t));
    }
    p.setPen(QPen(QColor(0, 0, 0, 150), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(shaft);
    p.drawPath(head);
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(head);
}

// In the format the file name ends with.
bool writeImageFile(const QImage& image, const QString& path, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, QFileInfo(path).suffix().toLatin1());
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

QImage drawBall(bool root)
{
    QImage image = transparentCanvas(kIconSize, kIconSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBall(p, QPointF(31, 30), 25, root ? kRootRed : kIvory);
    return image;
}

QImage drawFavouriteStar(bool set)
{
    QImage image = transparentCanvas(kIconSize, kIconSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath star = starPath(QPointF(32, 34), 27, 11.5);
    if (!set) {
        outlinedStroke(p, star, QColor(236, 236, 236), 3.2);
        return image;
    }
    QLinearGradient gold(0, 6, 0, 60);
    gold.setColorAt(0.0, QColor(255, 236, 130));
    gold.setColorAt(0.5, QColor(250, 196, 40));
    gold.setColorAt(1.0, QColor(214, 138, 10));
    p.setPen(QPen(QColor(140, 86, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(star);
    // A gleam on the upper left arm.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawPath(starPath(QPointF(29, 30), 12, 5));
    return image;
}

QImage drawSpeaker(bool on)
{
    QImage image = transparentCanvas(kIconSize, kIconSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(7, 24);
    speaker.lineTo(17, 24);
    speaker.lineTo(30, 11);
    speaker.lineTo(30, 53);
    speaker.lineTo(17, 40);
    speaker.lineTo(7, 40);
    speaker.closeSubpath();
    const QColor light(238, 238, 238);
    p.setPen(QPen(QColor(0, 0, 0, 150), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient face(0, 11, 0, 53);
    face.setColorAt(0.0, QColor(255, 255, 255));
    face.setColorAt(1.0, QColor(196, 196, 200));
    p.setBrush(face);
    p.drawPath(speaker);
    if (on) {
        for (double radius : {9.0, 17.0, 25.0}) {
            QPainterPath wave;
            const QRectF box(30 - radius, 32 - radius, 2 * radius, 2 * radius);
            wave.arcMoveTo(box, 42);
            wave.arcTo(box, 42, -84);
            outlinedStroke(p, wave, light, 3.6);
        }
    } else {
        QPainterPath cross;
        cross.moveTo(39, 23);
        cross.lineTo(57, 41);
        cross.moveTo(57, 23);
        cross.lineTo(39, 41);
        outlinedStroke(p, cross, QColor(240, 96, 84), 4.4);
    }
    return image;
}

QImage drawInstructionFretboard()
{
    QImage image = transparentCanvas(360, 220);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF board(24, 30, 316, 140);
    // Wood, nut and frets.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(board.translated(4, 5), 8, 8);
    QLinearGradient wood(0, board.top(), 0, board.bottom());
    wood.setColorAt(0.0, QColor(70, 40, 26));
    wood.setColorAt(0.5, QColor(104, 64, 40));
    wood.setColorAt(1.0, QColor(66, 38, 24));
    p.setBrush(wood);
    p.drawRoundedRect(board, 8, 8);
    p.setBrush(QColor(236, 226, 204));
    p.drawRect(QRectF(board.left() + 6, board.top(), 9, board.height()));
    const double fretStep = 60;
    auto wireX = [&](int fret) { return board.left() + 15 + fret * fretStep; };
    p.setBrush(QColor(206, 204, 198));
    for (int f = 1; f <= 5; ++f)
        p.drawRect(QRectF(wireX(f) - 2, board.top(), 4, board.height()));
    auto stringY = [&](int string) { return board.bottom() - 14 - (string - 1) * 22.4; };
    for (int s = 1; s <= 6; ++s) {
        p.setPen(QPen(QColor(226, 222, 210), 1.0 + s * 0.35));
        p.drawLine(QPointF(board.left(), stringY(s)), QPointF(board.right(), stringY(s)));
    }
    // Marks of a chord on the board: the root in red.
    auto mark = [&](int string, int fret, bool root) {
        const QPointF at(wireX(fret) - fretStep / 2, stringY(string));
        paintBall(p, at, 9, root ? kRootRed : kIvory);
    };
    mark(5, 3, true);
    mark(4, 2, false);
    mark(2, 1, true);
    // A finger tapping a further fret, with the ripples of the tap.
    const QPointF tap(wireX(4) - fretStep / 2, stringY(3));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(255, 214, 120, 220 - i * 60), 2.5));
        const double r = 14 + i * 8;
        p.drawArc(QRectF(tap.x() - r, tap.y() - r, 2 * r, 2 * r), 20 * 16, 140 * 16);
    }
    QPainterPath finger;
    const double w = 24;
    finger.moveTo(tap.x() - w / 2, tap.y());
    finger.arcTo(QRectF(tap.x() - w / 2, tap.y() - w / 2, w, w), 180, -180);
    finger.lineTo(tap.x() + w * 0.62, 220);
    finger.lineTo(tap.x() - w * 0.62, 220);
    finger.closeSubpath();
    QLinearGradient skin(tap.x() - w / 2, 0, tap.x() + w / 2, 0);
    skin.setColorAt(0.0, QColor(150, 94, 70));
    skin.setColorAt(0.4, QColor(238, 192, 162));
    skin.setColorAt(1.0, QColor(150, 94, 70));
    p.setPen(QPen(QColor(90, 50, 36), 1.2));
    p.setBrush(skin);
    p.drawPath(finger);
    p.setPen(QPen(QColor(150, 90, 70, 160), 0.9));
    p.setBrush(QColor(244, 212, 200));
    p.drawRoundedRect(QRectF(tap.x() - w * 0.3, tap.y() - w * 0.34, w * 0.6, w * 0.72), 6, 6);
    return image;
}

QImage drawInstructionArrows()
{
    QImage image = transparentCanvas(360, 220);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor yellow(255, 214, 90);
    const QPointF centre(180, 112);
    QPainterPath up;
    up.moveTo(centre + QPointF(-14, -16));
    up.cubicTo(QPointF(130, 70), QPointF(70, 40), QPointF(28, 26));
    drawArrow(p, up, yellow);
    QPainterPath right;
    right.moveTo(centre + QPointF(14, -16));
    right.cubicTo(QPointF(230, 60), QPointF(290, 40), QPointF(332, 28));
    drawArrow(p, right, yellow);
    QPainterPath down;
    down.moveTo(centre + QPointF(0, 18));
    down.cubicTo(QPointF(190, 150), QPointF(170, 170), QPointF(178, 200));
    drawArrow(p, down, yellow);
    paintBall(p, centre, 10, kIvory);
    return image;
}

std::vector<NamedImage> bundleImages()
{
    return {
        {"Ball.png", drawBall(false)},
        {"BallT.png", drawBall(true)},
        {"icone-favorite.png", drawFavouriteStar(false)},
        {"icone-favorite-set.png", drawFavouriteStar(true)},
        {"icone-audio-on-chord.png", drawSpeaker(true)},
        {"icone-audio-off-chord.png", drawSpeaker(false)},
        {"instrucao-01.png", drawInstructionFretboard()},
        {"instrucao-02.png", drawInstructionArrows()},
    };
}

std::vector<NamedImage> fretboardPictures()
{
    std::vector<NamedImage> pictures;
    pictures.reserve(std::size(fretboard::kPictureRatios));
    const fretboard::FretboardGeometry geometry(fretboard::kPictureSize);
    for (int ratio : fretboard::kPictureRatios) {
        // Opaque, so stored without alpha.
        pictures.push_back({QString::fromStdString(fretboard::pictureFileName(ratio)),
                            drawFretboard(geometry, ratio).convertToFormat(QImage::Format_RGB32)});
    }
    return pictures;
}

int writeImages(const QString& folder, const std::function<void(const std::string&)>& log)
{
    const QDir dir(folder);
    int failures = 0;
    std::vector<NamedImage> all = bundleImages();
    for (auto& picture : fretboardPictures())
        all.push_back(std::move(picture));
    for (const auto& [name, image] : all) {
        QString error;
        const QString path = dir.filePath(name);
        if (!writeImageFile(image, path, error)) {
            ++failures;
            log("Imagem não gravada: " + path.toStdString() + ": " + error.toStdString());
        }
    }
    return failures;
}

} // namespace images

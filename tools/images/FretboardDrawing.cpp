#include "tools/images/FretboardDrawing.h"

#include "fretboard/FretboardPicture.h"

#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

namespace images {
namespace {

using fretboard::FretboardGeometry;
using fretboard::kLastFret;
using fretboard::kStringCount;

// A light electric set, in inches, strings 1 (high E) to 6 (low E); strings
// 4 to 6 are wound.
constexpr std::array<double, kStringCount> kGauge{0.010, 0.013, 0.017, 0.026, 0.036, 0.046};
constexpr int kFirstWoundString = 4;
// Pixels of string per inch of gauge, per pixel of picture height.
constexpr double kGaugeScale = 0.33;

constexpr std::array<int, 6> kMarkedFrets{3, 5, 7, 9, 12, 15};
constexpr int kOctaveFret = 12;

double unit(const FretboardGeometry& g)
{
    return g.size().height() / 230.0; // the picture was tuned at 230 pixels high
}

void paintHeadstockSide(QPainter& p, const FretboardGeometry& g)
{
    const QRectF open = g.openColumn();
    const double radius = g.stringSpacing() * 0.45;
    QPainterPath veneer;
    veneer.addRoundedRect(open.adjusted(0, 0, radius, 0), radius, radius);
    QLinearGradient ebony(open.topLeft(), open.bottomLeft());
    ebony.setColorAt(0.0, QColor(0x33, 0x2d, 0x29));
    ebony.setColorAt(0.18, QColor(0x1b, 0x17, 0x15));
    ebony.setColorAt(0.85, QColor(0x0f, 0x0c, 0x0b));
    ebony.setColorAt(1.0, QColor(0x07, 0x06, 0x05));
    p.fillPath(veneer, ebony);
}

void paintWood(QPainter& p, const FretboardGeometry& g)
{
    const QRectF board = g.board();
    QLinearGradient rosewood(board.topLeft(), board.bottomLeft());
    rosewood.setColorAt(0.0, QColor(0x2e, 0x1a, 0x11));
    rosewood.setColorAt(0.5, QColor(0x4a, 0x2b, 0x1c));
    rosewood.setColorAt(1.0, QColor(0x2a, 0x17, 0x0f));
    p.fillRect(board, rosewood);

    p.save();
    p.setClipRect(board);
    // Grain runs along the neck: long, gently waving lines of darker and
    // lighter wood, then the open pores of rosewood as short dark streaks.
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> any(0.0, 1.0);
    const double u = unit(g);
    const int lines = static_cast<int>(board.height() * 1.4);
    for (int i = 0; i < lines; ++i) {
        const double y0 = board.top() + any(random) * board.height();
        const double amplitude = any(random) * g.stringSpacing() * 0.12;
        const double wavelength = board.width() * (0.25 + any(random));
        const double phase = any(random) * 2 * std::numbers::pi;
        const double drift = (any(random) - 0.5) * g.stringSpacing() * 0.6;
        const bool dark = any(random) < 0.65;
        QColor colour = dark ? QColor(0x17, 0x0b, 0x06) : QColor(0x74, 0x4a, 0x33);
        colour.setAlpha(static_cast<int>(dark ? 40 + any(random) * 80 : 20 + any(random) * 45));
        QPainterPath path;
        for (double x = board.left(); x <= board.right() + 8; x += 8 * u) {
            const double t = (x - board.left()) / board.width();
            const double y = y0 +
                             amplitude * std::sin(2 * std::numbers::pi * x / wavelength + phase) +
                             drift * t;
            if (x == board.left())
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setPen(QPen(colour, (0.4 + any(random) * 1.3) * u));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    const int pores = static_cast<int>(board.width() * board.height() / (260 * u * u));
    for (int i = 0; i < pores; ++i) {
        const QPointF at(board.left() + any(random) * board.width(),
                         board.top() + any(random) * board.height());
        const double length = (2 + any(random) * 5) * u;
        p.setPen(QPen(QColor(0x12, 0x08, 0x04, 70 + static_cast<int>(any(random) * 70)), 0.8 * u,
                      Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at, at + QPointF(length, (any(random) - 0.5) * 0.6 * u));
    }
    // The board is rounded across: shade its edges.
    const double band = g.stringSpacing() * 0.45;
    QLinearGradient top(0, board.top(), 0, board.top() + band);
    top.setColorAt(0, QColor(0, 0, 0, 120));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(board.left(), board.top(), board.width(), band), top);
    QLinearGradient bottom(0, board.bottom(), 0, board.bottom() - band);
    bottom.setColorAt(0, QColor(0, 0, 0, 140));
    bottom.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(board.left(), board.bottom() - band, board.width(), band), bottom);
    p.restore();

    // Cream binding along both edges, and the squared-off far end.
    const double binding = 2.2 * u;
    const QColor cream(0xe8, 0xdd, 0xc2);
    p.fillRect(QRectF(board.left(), board.top() - binding, board.width(), binding), cream);
    p.fillRect(QRectF(board.left(), board.bottom(), board.width(), binding), cream.darker(115));
    p.fillRect(QRectF(board.right() - 1.5 * u, board.top(), 1.5 * u, board.height()),
               QColor(0x14, 0x0a, 0x05));
}

void paintInlay(QPainter& p, QPointF centre, double radius)
{
    QRadialGradient pearl(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
    pearl.setColorAt(0.0, QColor(0xf2, 0xf0, 0xea));
    pearl.setColorAt(0.6, QColor(0xcf, 0xcb, 0xc2));
    pearl.setColorAt(1.0, QColor(0x9a, 0x94, 0x88));
    // Set into the wood, a little translucent, so the fret marks stand out.
    p.setOpacity(0.85);
    p.setPen(QPen(QColor(0x1a, 0x0e, 0x08, 150), radius * 0.08));
    p.setBrush(pearl);
    p.drawEllipse(centre, radius, radius);
    // Mother of pearl shimmers faintly pink, green and blue.
    QConicalGradient shimmer(centre, 30);
    shimmer.setColorAt(0.0, QColor(0xff, 0xb0, 0xc8, 55));
    shimmer.setColorAt(0.33, QColor(0xa8, 0xf0, 0xd0, 55));
    shimmer.setColorAt(0.66, QColor(0xa8, 0xc4, 0xff, 55));
    shimmer.setColorAt(1.0, QColor(0xff, 0xb0, 0xc8, 55));
    p.setPen(Qt::NoPen);
    p.setBrush(shimmer);
    p.drawEllipse(centre, radius * 0.92, radius * 0.92);
    p.setOpacity(1.0);
}

void paintInlays(QPainter& p, const FretboardGeometry& g)
{
    const double radius = g.stringSpacing() * 0.2;
    const auto between = [&](int a, int b) { return (g.stringY(a) + g.stringY(b)) / 2.0; };
    for (int fret : kMarkedFrets) {
        const double x = g.fretCentreX(fret);
        if (fret == kOctaveFret) {
            paintInlay(p, {x, between(4, 5)}, radius);
            paintInlay(p, {x, between(2, 3)}, radius);
        } else {
            paintInlay(p, {x, between(3, 4)}, radius);
        }
    }
}

void paintFrets(QPainter& p, const FretboardGeometry& g)
{
    const QRectF board = g.board();
    const double w = g.fretWireWidth();
    for (int fret = 1; fret <= kLastFret; ++fret) {
        const double x = g.fretWireX(fret);
        QLinearGradient shadow(x + w / 2, 0, x + w * 2.2, 0);
        shadow.setColorAt(0, QColor(0, 0, 0, 130));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(x + w / 2, board.top(), w * 1.7, board.height()), shadow);
        QLinearGradient nickel(x - w / 2, 0, x + w / 2, 0);
        nickel.setColorAt(0.0, QColor(0x55, 0x55, 0x57));
        nickel.setColorAt(0.35, QColor(0xf8, 0xf8, 0xf8));
        nickel.setColorAt(0.6, QColor(0xcf, 0xcf, 0xd2));
        nickel.setColorAt(1.0, QColor(0x66, 0x66, 0x69));
        p.fillRect(QRectF(x - w / 2, board.top() - w * 0.2, w, board.height() + w * 0.4), nickel);
    }
}

void paintNut(QPainter& p, const FretboardGeometry& g)
{
    const QRectF nut = g.nut().adjusted(0, -2.2 * unit(g), 0, 2.2 * unit(g));
    QLinearGradient bone(nut.topLeft(), nut.topRight());
    bone.setColorAt(0.0, QColor(0xc9, 0xbd, 0xa0));
    bone.setColorAt(0.3, QColor(0xfb, 0xf6, 0xe8));
    bone.setColorAt(1.0, QColor(0xd8, 0xcd, 0xb1));
    p.fillRect(nut, bone);
    p.fillRect(QRectF(nut.right(), nut.top(), 1.2 * unit(g), nut.height()), QColor(0, 0, 0, 90));
}

void paintStrings(QPainter& p, const FretboardGeometry& g)
{
    const double u = unit(g);
    const double left = g.openColumn().left() + g.stringSpacing() * 0.2;
    const double right = g.board().right() - 1.5 * u;
    for (int string = 1; string <= kStringCount; ++string) {
        const double y = g.stringY(string);
        const double t = std::max(1.0, kGauge[string - 1] * g.size().height() * kGaugeScale);
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(left, y + t * 0.5 + 0.6 * u, right - left, t * 0.9), QColor(0, 0, 0, 95));

        const bool wound = string >= kFirstWoundString;
        QLinearGradient metal(0, y - t / 2, 0, y + t / 2);
        metal.setColorAt(0.0, wound ? QColor(0x8a, 0x80, 0x70) : QColor(0x9a, 0x9a, 0x9c));
        metal.setColorAt(0.35, wound ? QColor(0xf2, 0xe9, 0xd6) : QColor(0xff, 0xff, 0xff));
        metal.setColorAt(0.7, wound ? QColor(0xae, 0xa3, 0x8e) : QColor(0xbe, 0xbe, 0xc2));
        metal.setColorAt(1.0, wound ? QColor(0x4f, 0x47, 0x3c) : QColor(0x62, 0x62, 0x66));
        p.fillRect(QRectF(left, y - t / 2, right - left, t), metal);
        if (wound) {
            // The winding: fine slanted grooves across the string.
            p.setPen(QPen(QColor(0x20, 0x1a, 0x12, 90), std::max(0.35, t * 0.16)));
            const double step = std::max(1.1, t * 0.5);
            for (double x = left; x < right; x += step)
                p.drawLine(QPointF(x, y - t / 2), QPointF(x + t * 0.35, y + t / 2));
        }
        // The string's end on the headstock side.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd8, 0xd8, 0xda));
        p.drawEllipse(QPointF(left, y), t * 0.9 + 0.8 * u, t * 0.9 + 0.8 * u);
    }
}

void paintFretNumbers(QPainter& p, const FretboardGeometry& g)
{
    const QRectF strip = g.numberStrip();
    QFont font;
    font.setPixelSize(std::max(7, static_cast<int>(strip.height() * 0.55)));
    p.setFont(font);
    p.setPen(QColor(0x9a, 0x9a, 0xa0));
    for (int fret : kMarkedFrets) {
        const QRectF cell(g.fretCentreX(fret) - strip.height(), strip.top(), 2 * strip.height(),
                          strip.height());
        p.drawText(cell, Qt::AlignCenter, QString::number(fret));
    }
}

} // namespace

QImage drawFretboard(const FretboardGeometry& geometry, double devicePixelRatio)
{
    const QSize pixels = (geometry.size() * devicePixelRatio).toSize();
    QImage picture(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(QColor::fromRgb(fretboard::kPictureBackground));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    paintHeadstockSide(p, geometry);
    paintWood(p, geometry);
    paintInlays(p, geometry);
    paintFrets(p, geometry);
    paintNut(p, geometry);
    paintStrings(p, geometry);
    paintFretNumbers(p, geometry);
    return picture;
}

} // namespace images

#include "tools/photos/ChordPhoto.h"

#include "catalogue/Fingering.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace photos {

namespace {
constexpr double kNeckTop = 62;
constexpr double kNeckBottom = 298;
constexpr double kTopStringY = 86;     // string 6
constexpr double kBottomStringY = 274; // string 1
constexpr double kNutLeft = 40;
constexpr double kFirstWireX = 52; // the nut's edge, or the wire before the first space
constexpr double kLastWireX = 468;
constexpr double kFingerWidth = 29;
constexpr double kBarreWidth = 33;
constexpr double kFingerTilt = 7; // degrees; the hand sits a little towards the headstock
// A lone finger presses this far behind its fret wire, as a share of the space.
constexpr double kPressBehindWire = 0.34;

// Distance of a fret from the nut, as a fraction of the scale length.
double fretDistance(int fret)
{
    return 1.0 - std::pow(2.0, -fret / 12.0);
}

// The fretboard wood: dark rosewood with long, slightly wavy grain and pores.
QImage woodTexture()
{
    QImage wood(ChordPhotoPainter::kWidth, int(kNeckBottom - kNeckTop), QImage::Format_RGB32);
    wood.fill(QColor(74, 44, 29));
    QPainter p(&wood);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double h = wood.height();
    const double w = wood.width();
    // Broad bands of lighter and darker wood first, then fine grain lines.
    for (int i = 0; i < 18; ++i) {
        const double y = unit(random) * h;
        const double thick = 4 + unit(random) * 14;
        const bool light = unit(random) < 0.5;
        QColor c = light ? QColor(112, 70, 45, 40) : QColor(40, 22, 14, 55);
        p.setPen(QPen(c, thick, Qt::SolidLine, Qt::FlatCap));
        QPainterPath band;
        const double phase = unit(random) * 6.3;
        const double amp = 1 + unit(random) * 3;
        band.moveTo(0, y + amp * std::sin(phase));
        for (double x = 8; x <= w + 8; x += 8)
            band.lineTo(x, y + amp * std::sin(phase + x / 90.0));
        p.drawPath(band);
    }
    for (int i = 0; i < 170; ++i) {
        const double y = unit(random) * h;
        const double thick = 0.5 + unit(random) * 1.6;
        const bool light = unit(random) < 0.35;
        const int alpha = 40 + int(unit(random) * 90);
        QColor c = light ? QColor(134, 88, 58, alpha / 2) : QColor(30, 15, 9, alpha);
        p.setPen(QPen(c, thick, Qt::SolidLine, Qt::RoundCap));
        QPainterPath line;
        const double start = unit(random) * w * 0.6 - 40;
        const double length = 120 + unit(random) * w;
        const double phase = unit(random) * 6.3;
        const double amp = 0.5 + unit(random) * 2.5;
        const double wave = 60 + unit(random) * 120;
        line.moveTo(start, y + amp * std::sin(phase + start / wave));
        for (double x = start + 6; x <= start + length; x += 6)
            line.lineTo(x, y + amp * std::sin(phase + x / wave) + (x - start) * 0.004);
        p.drawPath(line);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 900; ++i) {
        const double x = unit(random) * w;
        const double y = unit(random) * h;
        p.setBrush(QColor(22, 10, 6, 60 + int(unit(random) * 80)));
        p.drawEllipse(QRectF(x, y, 2 + unit(random) * 5, 0.6 + unit(random) * 0.8));
    }
    // The fretboard is slightly rounded: its edges catch less light.
    QLinearGradient round(0, 0, 0, h);
    round.setColorAt(0.0, QColor(0, 0, 0, 120));
    round.setColorAt(0.12, QColor(0, 0, 0, 30));
    round.setColorAt(0.45, QColor(255, 220, 180, 12));
    round.setColorAt(0.88, QColor(0, 0, 0, 40));
    round.setColorAt(1.0, QColor(0, 0, 0, 140));
    p.fillRect(wood.rect(), round);
    return wood;
}

void drawBackdrop(QPainter& p)
{
    QRadialGradient backdrop(ChordPhotoPainter::kWidth * 0.55, ChordPhotoPainter::kHeight * 0.45,
                             ChordPhotoPainter::kWidth * 0.75);
    backdrop.setColorAt(0.0, QColor(40, 38, 38));
    backdrop.setColorAt(1.0, QColor(14, 14, 16));
    p.fillRect(QRectF(0, 0, ChordPhotoPainter::kWidth, ChordPhotoPainter::kHeight), backdrop);
    // Soft shadow of the neck on whatever lies behind it.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor(0, 0, 0, 22));
        const double grow = 14 - i * 2.5;
        p.drawRoundedRect(QRectF(-20, kNeckTop + 10 - grow / 2, ChordPhotoPainter::kWidth + 40,
                                 kNeckBottom - kNeckTop + grow),
                          12, 12);
    }
}

void drawHeadstockAndNut(QPainter& p)
{
    QLinearGradient head(0, kNeckTop, 0, kNeckBottom);
    head.setColorAt(0.0, QColor(30, 18, 12));
    head.setColorAt(0.5, QColor(58, 34, 22));
    head.setColorAt(1.0, QColor(26, 15, 10));
    p.fillRect(QRectF(0, kNeckTop - 4, kNutLeft, kNeckBottom - kNeckTop + 8), head);

    QLinearGradient bone(kNutLeft, 0, kFirstWireX, 0);
    bone.setColorAt(0.0, QColor(196, 184, 158));
    bone.setColorAt(0.35, QColor(242, 234, 214));
    bone.setColorAt(1.0, QColor(176, 164, 138));
    p.fillRect(QRectF(kNutLeft, kNeckTop - 4, kFirstWireX - kNutLeft, kNeckBottom - kNeckTop + 8),
               bone);
    QLinearGradient shade(kFirstWireX, 0, kFirstWireX + 8, 0);
    shade.setColorAt(0.0, QColor(0, 0, 0, 110));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(kFirstWireX, kNeckTop, 8, kNeckBottom - kNeckTop), shade);
}

void drawFretWire(QPainter& p, double x)
{
    // Shadow falling towards the body, then the rounded nickel-silver crown.
    QLinearGradient shadow(x + 2, 0, x + 9, 0);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 120));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(x + 2, kNeckTop, 7, kNeckBottom - kNeckTop), shadow);
    QLinearGradient crown(x - 2.5, 0, x + 2.5, 0);
    crown.setColorAt(0.0, QColor(96, 94, 90));
    crown.setColorAt(0.4, QColor(238, 236, 230));
    crown.setColorAt(0.6, QColor(196, 194, 188));
    crown.setColorAt(1.0, QColor(84, 82, 78));
    p.fillRect(QRectF(x - 2.5, kNeckTop, 5, kNeckBottom - kNeckTop), crown);
}

struct StringLook {
    double gauge;
    bool wound;
};

// Strings 1 to 6: three clear nylon trebles, three silver-wound basses.
constexpr std::array<StringLook, kStrings> kStringLooks{
    {{1.6, false}, {1.9, false}, {2.3, false}, {2.5, true}, {3.0, true}, {3.5, true}}};

void drawStrings(QPainter& p)
{
    const double w = ChordPhotoPainter::kWidth;
    for (int s = kStrings; s >= 1; --s) {
        const double y = ChordPhotoPainter::stringY(s);
        const StringLook look = kStringLooks[s - 1];
        p.setPen(QPen(QColor(0, 0, 0, 110), look.gauge + 1.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, y + 3.2), QPointF(w, y + 3.2));
        if (look.wound) {
            p.setPen(QPen(QColor(150, 146, 140), look.gauge, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(0, y), QPointF(w, y));
            // The winding: fine dark turns across the string.
            QPen turns(QColor(60, 56, 50, 150), look.gauge, Qt::CustomDashLine, Qt::FlatCap);
            turns.setDashPattern({0.35, 0.55});
            p.setPen(turns);
            p.drawLine(QPointF(0, y), QPointF(w, y));
            p.setPen(
                QPen(QColor(245, 244, 238, 200), look.gauge * 0.35, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(0, y - look.gauge * 0.2), QPointF(w, y - look.gauge * 0.2));
        } else {
            p.setPen(QPen(QColor(214, 208, 192, 225), look.gauge, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(0, y), QPointF(w, y));
            p.setPen(
                QPen(QColor(255, 255, 250, 170), look.gauge * 0.35, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(0, y - look.gauge * 0.2), QPointF(w, y - look.gauge * 0.2));
        }
    }
}

void drawPositionNumber(QPainter& p, int firstFret)
{
    const double left = ChordPhotoPainter::fretWireX(firstFret, firstFret - 1);
    const double right = ChordPhotoPainter::fretWireX(firstFret, firstFret);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    p.setFont(font);
    const QRectF box(left - 30, 16, right - left + 60, 40);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(box.translated(1.5, 1.5), Qt::AlignCenter, QString::number(firstFret) + u'ª');
    p.setPen(QColor(236, 232, 222));
    p.drawText(box, Qt::AlignCenter, QString::number(firstFret) + u'ª');
}

QImage emptyNeck(const QImage& wood, int firstFret)
{
    QImage image(ChordPhotoPainter::kWidth, ChordPhotoPainter::kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackdrop(p);
    p.drawImage(QPointF(0, kNeckTop), wood);
    if (firstFret == 1)
        drawHeadstockAndNut(p);
    else
        drawFretWire(p, kFirstWireX);
    for (int f = firstFret; f < firstFret + kFretsShown; ++f)
        drawFretWire(p, ChordPhotoPainter::fretWireX(firstFret, f));
    // The neck's edges: a thin light rim over a darker side.
    p.setPen(QPen(QColor(150, 110, 80, 120), 1.2));
    p.drawLine(QPointF(0, kNeckTop + 0.6), QPointF(ChordPhotoPainter::kWidth, kNeckTop + 0.6));
    p.setPen(QPen(QColor(0, 0, 0, 160), 2));
    p.drawLine(QPointF(0, kNeckBottom - 1), QPointF(ChordPhotoPainter::kWidth, kNeckBottom - 1));
    drawStrings(p);
    if (firstFret > 1)
        drawPositionNumber(p, firstFret);
    return image;
}

// One finger seen from above, pressing at `press` and reaching down out of the
// picture; the tip (with its nail) just beyond the pressed string.
void drawFinger(QPainter& p, QPointF press, double width, double tiltDegrees, double reach)
{
    const double length = ChordPhotoPainter::kHeight - press.y() + 120;
    // A rounded tip, the finger widening a little towards the hand.
    QPainterPath finger;
    finger.moveTo(-width / 2, -reach + width / 2);
    finger.arcTo(QRectF(-width / 2, -reach, width, width), 180, -180);
    finger.lineTo(width * 0.6, length);
    finger.lineTo(-width * 0.6, length);
    finger.closeSubpath();

    p.save();
    p.translate(press);
    p.rotate(tiltDegrees);
    p.setPen(Qt::NoPen);

    // Shadow on the fretboard, softened by three spreads.
    for (int i = 0; i < 3; ++i) {
        const double grow = 1.0 + (3 - i) * 0.09;
        QTransform spread;
        spread.translate(6, 5 - (grow - 1) * reach);
        spread.scale(grow, grow);
        p.setBrush(QColor(0, 0, 0, 34 + i * 16));
        p.drawPath(spread.map(finger));
    }

    // Skin, rounder in the middle, darker at the sides.
    QLinearGradient skin(-width / 2, 0, width / 2, 0);
    skin.setColorAt(0.0, QColor(138, 84, 62));
    skin.setColorAt(0.16, QColor(200, 142, 112));
    skin.setColorAt(0.42, QColor(236, 190, 160));
    skin.setColorAt(0.62, QColor(228, 178, 146));
    skin.setColorAt(0.86, QColor(188, 128, 98));
    skin.setColorAt(1.0, QColor(126, 76, 56));
    p.setBrush(skin);
    p.setPen(QPen(QColor(84, 46, 32, 120), 0.9));
    p.drawPath(finger);
    p.setPen(Qt::NoPen);

    // The pad is flattened and flushed where it presses the string.
    QRadialGradient pad(QPointF(0, -reach + width * 0.55), width * 0.75);
    pad.setColorAt(0.0, QColor(236, 150, 130, 90));
    pad.setColorAt(1.0, QColor(236, 150, 130, 0));
    p.setBrush(pad);
    p.drawPath(finger);

    // Nail: pale pink with a white free edge, sitting at the tip.
    const double nailTop = -reach + width * 0.14;
    const QRectF nail(-width * 0.31, nailTop, width * 0.62, width * 0.78);
    QLinearGradient nailShade(0, nail.top(), 0, nail.bottom());
    nailShade.setColorAt(0.0, QColor(250, 236, 226));
    nailShade.setColorAt(0.18, QColor(238, 192, 176));
    nailShade.setColorAt(1.0, QColor(220, 156, 138));
    p.setBrush(nailShade);
    p.setPen(QPen(QColor(150, 90, 70, 150), 0.9));
    p.drawRoundedRect(nail, width * 0.3, width * 0.3);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-width * 0.12, nail.top() + width * 0.14),
               QPointF(-width * 0.12, nail.top() + width * 0.48));

    // Joint creases.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 70, 52, 140), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (double at : {width * 1.35, width * 1.5, width * 3.1, width * 3.25, width * 3.4}) {
        const double y = -reach + at;
        QPainterPath crease;
        crease.moveTo(-width * 0.28, y);
        crease.quadTo(0, y + 3, width * 0.28, y);
        p.drawPath(crease);
    }
    p.restore();
}

void drawOpenMark(QPainter& p, QPointF at)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 170), 5));
    p.drawEllipse(at, 8, 8);
    p.setPen(QPen(QColor(246, 244, 238), 2.6));
    p.drawEllipse(at, 8, 8);
}

void drawMutedMark(QPainter& p, QPointF at)
{
    const double r = 7;
    for (const auto& pen : {QPen(QColor(0, 0, 0, 170), 5.5, Qt::SolidLine, Qt::RoundCap),
                            QPen(QColor(240, 96, 84), 3, Qt::SolidLine, Qt::RoundCap)}) {
        p.setPen(pen);
        p.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
        p.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
    }
}
} // namespace

ChordPhotoPainter::ChordPhotoPainter()
{
    const QImage wood = woodTexture();
    for (int f = 1; f <= int(necks_.size()); ++f)
        necks_[f - 1] = emptyNeck(wood, f);
}

double ChordPhotoPainter::stringY(int string)
{
    return kBottomStringY - (string - 1) * (kBottomStringY - kTopStringY) / (kStrings - 1);
}

double ChordPhotoPainter::fretWireX(int firstFret, int fret)
{
    const double from = fretDistance(firstFret - 1);
    const double to = fretDistance(firstFret - 1 + kFretsShown);
    return kFirstWireX + (fretDistance(fret) - from) / (to - from) * (kLastWireX - kFirstWireX);
}

QPointF ChordPhotoPainter::notePoint(int firstFret, int string, int fret)
{
    const double wire = fretWireX(firstFret, fret);
    const double space = wire - fretWireX(firstFret, fret - 1);
    return {wire - space * kPressBehindWire, stringY(string)};
}

QPointF ChordPhotoPainter::stringMarkPoint(int string)
{
    return {kNutLeft / 2, stringY(string)};
}

std::vector<FingerPlacement> ChordPhotoPainter::placeFingers(const FretPattern& frets)
{
    const int first = firstFretShown(frets);
    auto places = catalogue::fingeringOf(frets).fingers;
    // Fingers lying flat first (the index's barre before any other), then one
    // finger per other note, from the low E string down.
    std::stable_sort(places.begin(), places.end(), [](const auto& a, const auto& b) {
        if (a.liesFlat() != b.liesFlat())
            return a.liesFlat();
        return !a.liesFlat() && a.toString > b.toString;
    });
    std::vector<FingerPlacement> fingers;
    for (const auto& place : places) {
        if (place.liesFlat()) {
            // Pressing at its lowest-pitched string, the finger lying across
            // the strings below it in the picture.
            fingers.push_back({notePoint(first, place.toString, place.fret), kBarreWidth,
                               kBarreWidth * 0.62, 1.5});
            continue;
        }
        // Rank of this finger among the single ones on its fret, from the top.
        int rank = 0;
        int count = 0;
        for (const auto& other : places) {
            if (other.liesFlat() || other.fret != place.fret)
                continue;
            rank += other.toString > place.toString;
            ++count;
        }
        // Side by side within the fret space, the first nearest the nut.
        const double step = count > 3 ? 0.15 : 0.2;
        const double behindWire = kPressBehindWire + ((count - 1) / 2.0 - rank) * step;
        const double wire = fretWireX(first, place.fret);
        const double space = wire - fretWireX(first, place.fret - 1);
        fingers.push_back({QPointF(wire - space * behindWire, stringY(place.toString)),
                           kFingerWidth, kFingerWidth * 0.6, kFingerTilt});
    }
    return fingers;
}

QImage ChordPhotoPainter::render(const FretPattern& frets) const
{
    const int first = std::clamp(firstFretShown(frets), 1, int(necks_.size()));
    QImage image = necks_[first - 1].copy();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    for (const auto& finger : placeFingers(frets))
        drawFinger(p, finger.press, finger.width, finger.tilt, finger.reach);
    for (int s = 1; s <= kStrings; ++s) {
        if (frets[s - 1] == 0)
            drawOpenMark(p, stringMarkPoint(s));
        else if (frets[s - 1] == kMuted)
            drawMutedMark(p, stringMarkPoint(s));
    }
    return image;
}

} // namespace photos

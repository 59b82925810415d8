#include "fretboard/FretboardGeometry.h"

#include <algorithm>
#include <cmath>

namespace fretboard {
namespace {

// Proportions of the picture, in units of the widget's height.
constexpr double kLabelColumn = 0.20;
constexpr double kOpenColumn = 0.26;
constexpr double kNut = 0.035;
constexpr double kTopMargin = 0.03;
constexpr double kNumberStrip = 0.11;
constexpr double kEndMargin = 0.01;
constexpr double kWire = 0.013;
// The board ends a little beyond the 15th wire: this share of the 16th space.
constexpr double kTail = 0.6;

// Distance from the nut to the wire of `fret`, as a share of the scale length.
double fromNut(int fret)
{
    return 1.0 - std::pow(2.0, -fret / 12.0);
}

} // namespace

FretboardGeometry::FretboardGeometry(QSizeF size) : size_(size)
{
    const double h = std::max(1.0, size.height());
    labelWidth_ = kLabelColumn * h;
    openWidth_ = kOpenColumn * h;
    nutWidth_ = kNut * h;
    boardTop_ = kTopMargin * h;
    boardBottom_ = h - kNumberStrip * h;
    boardEnd_ = std::max(size.width() - kEndMargin * h, labelWidth_ + openWidth_ + nutWidth_ + 1.0);
    const double neck = boardEnd_ - (labelWidth_ + openWidth_ + nutWidth_);
    const double share = fromNut(kLastFret) + kTail * (fromNut(kLastFret + 1) - fromNut(kLastFret));
    scaleLength_ = neck / share;
    spacing_ = (boardBottom_ - boardTop_) / kStringCount;
}

QRectF FretboardGeometry::labelColumn() const
{
    return {0.0, boardTop_, labelWidth_, boardBottom_ - boardTop_};
}

QRectF FretboardGeometry::openColumn() const
{
    return {labelWidth_, boardTop_, openWidth_, boardBottom_ - boardTop_};
}

QRectF FretboardGeometry::nut() const
{
    return {labelWidth_ + openWidth_, boardTop_, nutWidth_, boardBottom_ - boardTop_};
}

QRectF FretboardGeometry::board() const
{
    const double left = fretWireX(0);
    return {left, boardTop_, boardEnd_ - left, boardBottom_ - boardTop_};
}

QRectF FretboardGeometry::numberStrip() const
{
    return {0.0, boardBottom_, size_.width(), size_.height() - boardBottom_};
}

double FretboardGeometry::stringY(int string) const
{
    return boardTop_ + spacing_ * (kStringCount - string + 0.5);
}

double FretboardGeometry::fretWireX(int fret) const
{
    return labelWidth_ + openWidth_ + nutWidth_ + scaleLength_ * fromNut(fret);
}

double FretboardGeometry::fretWireWidth() const
{
    return kWire * size_.height();
}

double FretboardGeometry::fretCentreX(int fret) const
{
    if (fret == kOpenString)
        return labelWidth_ + openWidth_ / 2.0;
    return (fretWireX(fret - 1) + fretWireX(fret)) / 2.0;
}

QRectF FretboardGeometry::buttonRect(Position position) const
{
    const double width =
        position.fret == kOpenString
            ? openWidth_ * 0.9
            : fretWireX(position.fret) - fretWireX(position.fret - 1) - fretWireWidth();
    const double height = spacing_ * 0.92;
    return {fretCentreX(position.fret) - width / 2.0, stringY(position.string) - height / 2.0,
            width, height};
}

QRectF FretboardGeometry::labelRect(int string) const
{
    const double width = labelWidth_ * 0.72;
    const double height = spacing_ * 0.8;
    return {labelWidth_ * 0.12, stringY(string) - height / 2.0, width, height};
}

} // namespace fretboard

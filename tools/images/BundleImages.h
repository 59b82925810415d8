#pragma once
// The small pictures the program loads by name: fret marks, favourite and sound
// icons, and the pictures of the instructions overlay. All drawn here, on
// transparent backgrounds, to sit on the dark interface.
#include <QImage>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace images {

constexpr int kIconSize = 64;

// The fret mark: a glossy ivory ball; `root` gives the red root mark instead.
QImage drawBall(bool root);
// The favourite icon: an outline star, or a filled gold star when `set`.
QImage drawFavouriteStar(bool set);
// The sound switch icon: a speaker with sound waves, or crossed out when off.
QImage drawSpeaker(bool on);
// The instructions overlay: a small fretboard with a finger tapping a fret, and
// a sheet of arrows pointing out the screen's parts.
QImage drawInstructionFretboard();
QImage drawInstructionArrows();

struct NamedImage {
    QString name;
    QImage image;
};

// Every small picture above under its bundle file name.
std::vector<NamedImage> bundleImages();
// The fretboard picture at each drawn ratio, under its bundle file name.
std::vector<NamedImage> fretboardPictures();

// Writes all of them into `folder`, in the format each name ends with, each file replaced whole or
// not at all. Returns how many could not be written; each of those is logged.
int writeImages(const QString& folder, const std::function<void(const std::string&)>& log);

} // namespace images

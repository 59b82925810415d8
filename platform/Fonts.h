#pragma once
// Fonts by family name and size in points (one point is one logical pixel, as
// on the screens this program's layouts were drawn for).
#include <QFont>
#include <string>

namespace platform {

// A family that is not installed is looked for in the bundle, as the font file
// "<family>.ttf"; one found in neither falls back to the default family, and
// the first such request for each family is logged once.
QFont fontWithName(const std::string& family, double size);

} // namespace platform

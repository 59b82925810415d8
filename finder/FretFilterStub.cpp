// Stands in for the fret-pattern filter of the browsing side until it joins.
#include "finder/FirstViewController.h"

namespace finder {

void FirstViewController::setFilterChord(QObject*) {}

} // namespace finder

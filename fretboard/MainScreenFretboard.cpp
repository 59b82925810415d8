// The main screen's fretboard: drawing chords on the 96 fret buttons, fret
// taps, the sample bank and the chord's sound.
#include "finder/FirstViewController.h"

namespace finder {

void FirstViewController::bindFretboardOutlets() {}

void FirstViewController::LoadAudioSessions() {}

} // namespace finder

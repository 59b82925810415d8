// Temporary stand-ins for the fretboard's drawing until it lands.
#include "finder/FirstViewController.h"

namespace finder {

void FirstViewController::ClearNeck(const std::string&) {}

void FirstViewController::setChordNeck(const std::string&, const std::string&, const std::string&,
                                       const std::string&, const std::string&, const std::string&)
{
}

} // namespace finder

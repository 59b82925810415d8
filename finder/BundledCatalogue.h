#pragma once
#include "catalogue/Acorde.h"

namespace finder {

// The catalogue of the main bundle ("catalogue.tsv"); nothing, with a log
// line, when the bundle has none or it is damaged.
catalogue::ChordListRef loadBundledCatalogue();

} // namespace finder

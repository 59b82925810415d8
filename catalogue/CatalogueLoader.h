#pragma once
// Reads the catalogue data file (catalogue.tsv): a header line with the 16 field
// names separated by tabs, then one record per line, the 16 texts verbatim,
// tab-separated, each line ending in "\n".
#include "catalogue/Acorde.h"

#include <functional>
#include <string>

namespace catalogue {

using LogSink = std::function<void(const std::string&)>;

// The records in file order, each with Fav and FavOrder " ". A missing,
// truncated or malformed file gives one log line naming the file and line and an
// empty list: never a partial catalogue.
ChordListRef loadCatalogue(const std::string& path, const LogSink& log);

} // namespace catalogue

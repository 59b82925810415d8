#pragma once
// Reads the catalogue data file (catalogue.tsv): a header line with the 16 field
// names separated by tabs, then one record per line, the 16 texts verbatim,
// tab-separated, each line ending in "\n".
#include "catalogue/Acorde.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace catalogue {

using LogSink = std::function<void(const std::string&)>;

// The catalogue holds this many records; a file with any other number is a
// damaged one (cut short, or padded).
constexpr std::size_t kCatalogueRecords = 4957;
// The file is about 340 kB; a file past this bound is not read at all.
constexpr std::uintmax_t kMaxCatalogueBytes = 4 * 1024 * 1024;

// The records in file order, each with Fav and FavOrder " " whatever the file
// holds there. A missing file, anything but a regular file, one past the size
// bound, a wrong header, a record count other than expectedRecords, or any
// malformed line gives one log line naming the file (and the line, when one is
// at fault) and what is wrong, and an empty list: never a partial catalogue.
ChordListRef loadCatalogue(const std::string& path, const LogSink& log,
                           std::size_t expectedRecords = kCatalogueRecords);

// The same for the file's text; fileName only names it in the log line.
ChordListRef catalogueFromText(std::string_view text, const std::string& fileName,
                               const LogSink& log, std::size_t expectedRecords = kCatalogueRecords);

} // namespace catalogue

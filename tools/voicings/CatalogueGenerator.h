#pragma once
// Builds the catalogue data file from the symbol list and the fixed records:
// chooses every symbol's voicings, orders the records, gives them their
// identifiers and photo stems, and writes the tab-separated text.
#include "SymbolList.h"

#include <string>
#include <vector>

namespace voicings {

struct GeneratorReport {
    int records = 0;
    int nonSlash = 0;
    int nonSlashRootInBass = 0;
    int rootless = 0;
    int thirdless = 0;
    // Symbols with fewer legal voicings than records, and what was repeated.
    std::vector<std::string> compromises;
};

// The whole data file: header line, then one line per record in catalogue
// order. Throws std::runtime_error when the inputs contradict each other.
std::string generateCatalogue(const Inputs& inputs, GeneratorReport* report = nullptr);

} // namespace voicings

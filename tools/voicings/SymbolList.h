#pragma once
// The generator's inputs: the chord symbols in catalogue order with their
// identifier and voicing count, and the records kept exactly as given.
#include "catalogue/Acorde.h"

#include <string>
#include <vector>

namespace voicings {

struct Symbol {
    std::string cifra;
    std::string idCifra;
    int voicings = 0;
    // What the symbol names, found by the naming rules.
    std::string tonica;
    std::string tipo;
    int bassInterval = -1; // slash types only
    int rootIndex = 0;     // index into the root texts (0 = "C ")
    int typeIndex = 0;     // index into the type texts (0 = plain major)
    int firstPosition = 0; // catalogue position (1-based) of its first record
};

struct FixedRecord {
    int position = 0;
    catalogue::Acorde record;
};

struct Inputs {
    std::vector<Symbol> symbols;
    std::vector<FixedRecord> fixed;
};

// Reads symbols.tsv and fixed_records.tsv from dataDir. Throws
// std::runtime_error naming the file and line on bad input.
Inputs readInputs(const std::string& dataDir);

} // namespace voicings

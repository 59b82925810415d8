#pragma once
// The committed catalogue, loaded once per test binary, and the positions
// (from 1) of the records its data fixes.
#include "SourceFiles.h"
#include "catalogue/CatalogueLoader.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

// Without it no test here means anything: the binary stops, saying why.
inline const catalogue::ChordListRef& committedCatalogue()
{
    static const auto list = [] {
        auto loaded = catalogue::loadCatalogue(
            sourcePath("resources/catalogue.tsv"), [](const std::string& line) {
                std::cerr << line << "\nset CIFRARIO_SOURCE_DIR to the source folder\n";
            });
        if (loaded->empty())
            std::exit(EXIT_FAILURE);
        return loaded;
    }();
    return list;
}

inline const std::set<int>& fixedPositions()
{
    static const auto positions = [] {
        std::set<int> out;
        std::ifstream in(sourcePath("tools/voicings/data/fixed_records.tsv"));
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line))
            out.insert(std::atoi(line.c_str()));
        return out;
    }();
    return positions;
}

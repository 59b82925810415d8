#pragma once
// The committed catalogue, loaded once per test binary, and the positions
// (from 1) of the records its data fixes.
#include "SourceFiles.h"
#include "catalogue/CatalogueLoader.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

inline const catalogue::ChordListRef& committedCatalogue()
{
    static const auto list =
        catalogue::loadCatalogue(sourcePath("resources/catalogue.tsv"), [](const std::string&) {});
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

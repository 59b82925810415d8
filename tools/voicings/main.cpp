// cifrario-voicings DATA_DIR OUTPUT [--report]
// Writes the chord catalogue data file chosen from the symbol list in
// DATA_DIR. The same inputs always give the same bytes.
#include "CatalogueGenerator.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " DATA_DIR OUTPUT [--report]\n";
        return 2;
    }
    try {
        voicings::GeneratorReport report;
        auto text = voicings::generateCatalogue(voicings::readInputs(argv[1]), &report);
        // Write beside the target and rename, so a failed run leaves no half file.
        std::string temp = std::string(argv[2]) + ".part";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out << text;
            if (!out.flush())
                throw std::runtime_error(temp + ": cannot write");
        }
        if (std::rename(temp.c_str(), argv[2]) != 0)
            throw std::runtime_error(std::string(argv[2]) + ": cannot replace");
        if (argc > 3 && std::strcmp(argv[3], "--report") == 0) {
            std::cout << report.records << " records; non-slash " << report.nonSlash
                      << ", root in bass " << report.nonSlashRootInBass << "; rootless "
                      << report.rootless << ", third left out " << report.thirdless << "\n";
            for (const auto& c : report.compromises)
                std::cout << "compromise: " << c << "\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "cifrario-voicings: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

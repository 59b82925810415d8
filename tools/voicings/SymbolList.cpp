#include "SymbolList.h"

#include "catalogue/ChordNaming.h"
#include "catalogue/Vocabularies.h"

#include <fstream>
#include <map>
#include <stdexcept>
#include <tuple>

namespace voicings {
namespace {
using namespace catalogue;

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return parts;
        start = tab + 1;
    }
}

// Every row of a tab-separated file after its header.
std::vector<std::vector<std::string>> readTable(const std::string& path, std::size_t fields)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot open");
    std::vector<std::vector<std::string>> rows;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        if (++lineNo == 1)
            continue;
        auto row = splitTabs(line);
        if (row.size() != fields)
            throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": expected " +
                                     std::to_string(fields) + " fields");
        rows.push_back(std::move(row));
    }
    return rows;
}

struct Naming {
    int rootIndex;
    int typeIndex;
    int bassInterval;
};

// Every symbol the naming rules can build, with what it names.
std::map<std::string, Naming> allSymbols()
{
    std::map<std::string, Naming> names;
    const auto& roots = tonicas();
    const auto& types = typeTexts();
    for (std::size_t r = 1; r < roots.size(); ++r) {
        for (std::size_t t = 0; t < types.size(); ++t) {
            int root = static_cast<int>(r) - 1;
            int type = static_cast<int>(t);
            if (!isSlashType(types[t])) {
                names[chordSymbol(roots[r], types[t])] = {root, type, -1};
                continue;
            }
            for (int bass : {3, 4, 7, 10})
                names[chordSymbol(roots[r], types[t], bass)] = {root, type, bass};
        }
    }
    return names;
}
} // namespace

Inputs readInputs(const std::string& dataDir)
{
    Inputs inputs;
    const auto names = allSymbols();
    const std::string symbolsPath = dataDir + "/symbols.tsv";
    int position = 1;
    int lineNo = 1;
    std::tuple<int, int, int> previous{-1, -1, -1};
    for (const auto& row : readTable(symbolsPath, 3)) {
        ++lineNo;
        auto where = symbolsPath + ":" + std::to_string(lineNo) + ": ";
        auto it = names.find(row[0]);
        if (it == names.end())
            throw std::runtime_error(where + "no chord symbol: " + row[0]);
        Symbol s;
        s.cifra = row[0];
        s.idCifra = row[1];
        s.voicings = std::stoi(row[2]);
        s.rootIndex = it->second.rootIndex;
        s.typeIndex = it->second.typeIndex;
        s.bassInterval = it->second.bassInterval;
        s.tonica = tonicas()[static_cast<std::size_t>(s.rootIndex) + 1];
        s.tipo = typeTexts()[static_cast<std::size_t>(s.typeIndex)];
        s.firstPosition = position;
        position += s.voicings;
        std::tuple<int, int, int> key{s.rootIndex, s.typeIndex, s.bassInterval};
        if (!(previous < key))
            throw std::runtime_error(where + "symbol out of catalogue order: " + s.cifra);
        previous = key;
        if (s.idCifra.size() != 6 || s.voicings < 1)
            throw std::runtime_error(where + "bad identifier or count");
        inputs.symbols.push_back(std::move(s));
    }

    for (const auto& row : readTable(dataDir + "/fixed_records.tsv", 17)) {
        inputs.fixed.push_back(
            {std::stoi(row[0]),
             Acorde(row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8], row[9], row[10],
                    row[11], row[12], row[13], row[14], row[15], row[16])});
    }
    return inputs;
}

} // namespace voicings

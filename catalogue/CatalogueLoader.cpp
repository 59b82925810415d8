#include "catalogue/CatalogueLoader.h"

#include "catalogue/Frets.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

namespace catalogue {
namespace {
constexpr std::array<const char*, 16> kFields = {
    "IDAcorde", "IDCifra", "Tonica", "Tipo", "Categoria", "Inversao", "Cifra", "Image",
    "C1",       "C2",      "C3",     "C4",   "C5",        "C6",       "Fav",   "FavOrder"};

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return parts;
}
} // namespace

ChordListRef loadCatalogue(const std::string& path, const LogSink& log)
{
    auto fail = [&](std::size_t line, const std::string& why) {
        std::ostringstream s;
        s << "Catálogo inválido: " << path;
        if (line)
            s << ":" << line;
        s << ": " << why;
        log(s.str());
        return std::make_shared<ChordList>();
    };
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(0, "não foi possível abrir o arquivo");
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (content.empty())
        return fail(0, "arquivo vazio");
    if (content.back() != '\n') {
        auto lastLine = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
        return fail(lastLine, "arquivo truncado (falta o fim da última linha)");
    }

    auto records = std::make_shared<ChordList>();
    std::size_t lineNo = 0;
    std::string::size_type pos = 0;
    while (pos < content.size()) {
        auto end = content.find('\n', pos);
        std::string line = content.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        auto f = splitTabs(line);
        if (lineNo == 1) {
            if (f.size() != kFields.size())
                return fail(lineNo, "cabeçalho com número errado de campos");
            for (std::size_t i = 0; i < kFields.size(); ++i)
                if (f[i] != kFields[i])
                    return fail(lineNo, "cabeçalho inesperado: " + f[i]);
            continue;
        }
        if (f.size() != kFields.size())
            return fail(lineNo, "esperados 16 campos, encontrados " + std::to_string(f.size()));
        for (int s = 8; s < 14; ++s)
            if (!parseFretText(f[static_cast<std::size_t>(s)]))
                return fail(lineNo, "casa inválida \"" + f[static_cast<std::size_t>(s)] + "\"");
        records->push_back(std::make_shared<Acorde>(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7],
                                                    f[8], f[9], f[10], f[11], f[12], f[13], " ",
                                                    " "));
    }
    if (lineNo == 0)
        return fail(0, "sem cabeçalho");
    return records;
}

} // namespace catalogue

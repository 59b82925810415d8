#include "catalogue/CatalogueLoader.h"

#include "catalogue/FretPattern.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <string_view>

namespace catalogue {
namespace {
constexpr std::array<const char*, 16> kFields = {
    "IDAcorde", "IDCifra", "Tonica", "Tipo", "Categoria", "Inversao", "Cifra", "Image",
    "C1",       "C2",      "C3",     "C4",   "C5",        "C6",       "Fav",   "FavOrder"};

// The tab-separated fields of a line, as views into it.
std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> parts;
    parts.reserve(kFields.size());
    for (;;) {
        auto tab = line.find('\t');
        parts.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return parts;
        line.remove_prefix(tab + 1);
    }
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
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string content = std::move(bytes).str();
    if (content.empty())
        return fail(0, "arquivo vazio");
    if (content.back() != '\n') {
        auto lastLine =
            static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
        return fail(lastLine, "arquivo truncado (falta o fim da última linha)");
    }

    auto records = std::make_shared<ChordList>();
    records->reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')));
    const std::string_view text = content;
    std::size_t lineNo = 0;
    std::string::size_type pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        auto line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        auto f = splitTabs(line);
        if (lineNo == 1) {
            if (f.size() != kFields.size())
                return fail(lineNo, "cabeçalho com número errado de campos");
            for (std::size_t i = 0; i < kFields.size(); ++i)
                if (f[i] != kFields[i])
                    return fail(lineNo, "cabeçalho inesperado: " + std::string(f[i]));
            continue;
        }
        if (f.size() != kFields.size())
            return fail(lineNo, "esperados 16 campos, encontrados " + std::to_string(f.size()));
        for (int s = 8; s < 14; ++s)
            if (!parseFretText(f[static_cast<std::size_t>(s)]))
                return fail(lineNo, "casa inválida \"" +
                                        std::string(f[static_cast<std::size_t>(s)]) + "\"");
        auto text16 = [&](std::size_t i) { return std::string(f[i]); };
        records->push_back(std::make_shared<Acorde>(
            text16(0), text16(1), text16(2), text16(3), text16(4), text16(5), text16(6), text16(7),
            text16(8), text16(9), text16(10), text16(11), text16(12), text16(13), " ", " "));
    }
    if (lineNo == 0)
        return fail(0, "sem cabeçalho");
    return records;
}

} // namespace catalogue

#include "catalogue/CatalogueLoader.h"

#include "catalogue/FretPattern.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace catalogue {
namespace {
constexpr std::array<std::string_view, 16> kFields = {
    "IDAcorde", "IDCifra", "Tonica", "Tipo", "Categoria", "Inversao", "Cifra", "Image",
    "C1",       "C2",      "C3",     "C4",   "C5",        "C6",       "Fav",   "FavOrder"};

// The tab-separated fields of a line, as views into it; at most one more than
// a record has, so a line of many tabs costs no more.
std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> parts;
    parts.reserve(kFields.size() + 1);
    for (;;) {
        auto tab = line.find('\t');
        parts.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos || parts.size() > kFields.size())
            return parts;
        line.remove_prefix(tab + 1);
    }
}

class Rejection {
public:
    Rejection(const std::string& fileName, const LogSink& log) : fileName_(fileName), log_(log) {}

    ChordListRef operator()(std::size_t line, const std::string& why) const
    {
        std::ostringstream s;
        s << "Catálogo inválido: " << fileName_;
        if (line)
            s << ":" << line;
        s << ": " << why;
        log_(s.str());
        return std::make_shared<ChordList>();
    }

private:
    const std::string& fileName_;
    const LogSink& log_;
};
} // namespace

ChordListRef loadCatalogue(const std::string& path, const LogSink& log, std::size_t expectedRecords)
{
    const Rejection fail(path, log);
    // Looked at before it is opened: opening a FIFO or some devices would wait.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return fail(0, "não foi possível abrir o arquivo");
    if (!std::filesystem::is_regular_file(status))
        return fail(0, "não é um arquivo comum");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxCatalogueBytes)
        return fail(0, "arquivo maior que " + std::to_string(kMaxCatalogueBytes) + " bytes");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(0, "não foi possível abrir o arquivo");
    std::string content(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size) || in.peek() != EOF)
        return fail(0, "o arquivo mudou durante a leitura");
    return catalogueFromText(content, path, log, expectedRecords);
}

ChordListRef catalogueFromText(std::string_view text, const std::string& fileName,
                               const LogSink& log, std::size_t expectedRecords)
{
    const Rejection fail(fileName, log);
    if (text.empty())
        return fail(0, "arquivo vazio");
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (text.back() != '\n')
        return fail(lines + 1, "arquivo truncado (falta o fim da última linha)");

    // The header first, then the count: nothing is set aside for records
    // before the file is known to be a catalogue of the right size.
    const std::string_view headerLine = text.substr(0, text.find('\n'));
    const auto header = splitTabs(headerLine);
    if (header.size() != kFields.size())
        return fail(1, "cabeçalho com número errado de campos");
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (header[i] != kFields[i])
            return fail(1, "cabeçalho inesperado: " + std::string(header[i]));
    if (lines - 1 != expectedRecords)
        return fail(0, "esperados " + std::to_string(expectedRecords) + " registros, encontrados " +
                           std::to_string(lines - 1));

    auto records = std::make_shared<ChordList>();
    records->reserve(expectedRecords);
    std::size_t lineNo = 1;
    for (std::size_t pos = headerLine.size() + 1; pos < text.size();) {
        const auto end = text.find('\n', pos);
        const auto f = splitTabs(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNo;
        if (f.size() != kFields.size())
            return fail(lineNo,
                        "esperados 16 campos, encontrados " +
                            (f.size() > kFields.size() ? "mais de 16" : std::to_string(f.size())));
        for (std::size_t s = 8; s < 14; ++s)
            if (!parseFretText(f[s]))
                return fail(lineNo, "casa inválida \"" + std::string(f[s]) + "\"");
        auto field = [&](std::size_t i) { return std::string(f[i]); };
        // Fav and FavOrder start blank whatever the file holds: marking is
        // the program's own state, not the catalogue's.
        records->push_back(std::make_shared<Acorde>(
            field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7),
            field(8), field(9), field(10), field(11), field(12), field(13), " ", " "));
    }
    return records;
}

} // namespace catalogue

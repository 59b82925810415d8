#include "tools/photos/PhotoStems.h"

#include <unordered_set>

namespace photos {

namespace {
bool plainFileName(const std::string& stem)
{
    if (stem.empty() || stem.size() > 64)
        return false;
    for (unsigned char c : stem) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}
} // namespace

std::vector<StemShape> distinctStems(const catalogue::ChordList& records,
                                     const catalogue::LogSink& log)
{
    std::vector<StemShape> shapes;
    std::unordered_set<std::string> seen;
    for (const auto& record : records) {
        if (seen.count(record->Image))
            continue;
        if (!plainFileName(record->Image)) {
            log("Foto ignorada: nome inválido \"" + record->Image + "\" no acorde " +
                record->IDAcorde);
            continue;
        }
        auto frets = FretPattern::of(*record);
        if (!frets) {
            log("Foto ignorada: casas inválidas no acorde " + record->IDAcorde + " (" +
                record->Image + ")");
            continue;
        }
        if (!fitsInPicture(*frets))
            log("Foto parcial: as casas do acorde " + record->IDAcorde + " (" + record->Image +
                ") não cabem em " + std::to_string(kFretsShown) + " casas");
        seen.insert(record->Image);
        shapes.push_back({record->Image, *frets});
    }
    return shapes;
}

} // namespace photos

#include "favourites/SavedLists.h"

#include "platform/Description.h"
#include "platform/Log.h"
#include "platform/PropertyList.h"

namespace favourites {
namespace {
std::string describe(const catalogue::ChordList* records)
{
    if (!records)
        return "(null)";
    std::vector<std::string> texts;
    texts.reserve(records->size());
    for (const auto& record : *records)
        texts.push_back(record ? "<Acorde " + record->IDAcorde + " " + record->IDCifra + " " +
                                     record->Cifra + ">"
                               : "<null>");
    return platform::describe(texts);
}
} // namespace

catalogue::ChordList voicingsFor(const std::vector<std::string>& identifiers,
                                 const catalogue::ChordList& allTableData)
{
    catalogue::ChordList found;
    const std::size_t count = allTableData.size();
    std::size_t position = 0;
    for (const std::string& identifier : identifiers) {
        for (std::size_t step = 0; step < count; ++step) {
            const std::size_t index = (position + step) % count;
            const auto& record = allTableData[index];
            if (!record || record->IDCifra != identifier)
                continue;
            platform::log("plistSelecionado: " + identifier + " - acordeID " + record->IDCifra);
            found.push_back(record);
            position = (index + 1) % count;
            break;
        }
    }
    return found;
}

SavedLists::SavedLists(platform::Documents documents) : documents_(std::move(documents)) {}

std::vector<std::string> SavedLists::names() const
{
    return documents_.entries().value_or(std::vector<std::string>{});
}

bool SavedLists::acceptsName(const std::string& name) const
{
    if (platform::Documents::isEntryName(name))
        return true;
    platform::log("nome de lista recusado: " + platform::quotedForLog(name));
    return false;
}

SavedLists::SaveResult SavedLists::save(const std::string& name,
                                        const catalogue::ChordListRef& favourites,
                                        std::vector<std::string>& list) const
{
    platform::log("List: " + platform::describe(list));
    std::size_t position = 0;
    if (favourites) {
        for (const auto& record : *favourites) {
            if (!record)
                continue;
            platform::log("acorde: " + record->IDCifra);
            if (position < list.size())
                list[position] = record->IDCifra;
            else
                list.push_back(record->IDCifra);
            platform::log("list: " + platform::describe(list));
            ++position;
        }
    }
    // The list holds this grid and nothing older, whatever it held before.
    list.resize(position);

    SaveResult result;
    if (acceptsName(name)) {
        const auto written = documents_.write(name, platform::propertyListXml(list));
        if (written)
            result.saved = true;
        else
            platform::log("lista não salva: " + platform::quotedForLog(name) + " - " +
                          written.reason);
    }

    platform::log("Documents directory: " + platform::describe(documents_.entries()));
    std::optional<std::vector<std::string>> readBack;
    if (platform::Documents::isEntryName(name))
        if (const auto bytes = documents_.read(name))
            if (auto array = platform::stringArrayFromPropertyList(*bytes))
                readBack = std::move(array->strings);
    platform::log("Documents directory: " + platform::describe(readBack));

    result.names = names();
    platform::log("cont list: " + std::to_string(result.names.size()));
    platform::log("cont list: " + platform::describe(result.names));
    return result;
}

bool SavedLists::open(const std::string& name, const catalogue::ChordListRef& favourites,
                      const catalogue::ChordListRef& allTableData) const
{
    platform::log("selecionada: " + name);
    if (!acceptsName(name))
        return false;
    std::string reason;
    const auto bytes = documents_.read(name, &reason);
    if (!bytes) {
        platform::log("lista não lida: " + platform::quotedForLog(name) + " - " + reason);
        return false;
    }
    const auto array = platform::stringArrayFromPropertyList(*bytes);
    if (!array) {
        platform::log("lista não é um array de property list: " + platform::quotedForLog(name));
        return false;
    }
    if (array->otherElements > 0)
        platform::log("elementos ignorados: " + std::to_string(array->otherElements));

    const catalogue::ChordList noRecords;
    catalogue::ChordList found =
        voicingsFor(array->strings, allTableData ? *allTableData : noRecords);
    if (favourites) {
        favourites->clear();
        favourites->insert(favourites->end(), found.begin(), found.end());
    }
    platform::log("filtrados: " + describe(favourites.get()));
    return true;
}

bool SavedLists::remove(const std::string& name) const
{
    if (!acceptsName(name))
        return false;
    const auto removed = documents_.remove(name);
    if (!removed)
        platform::log("lista não removida: " + platform::quotedForLog(name) + " - " +
                      removed.reason);
    return removed.ok;
}

} // namespace favourites

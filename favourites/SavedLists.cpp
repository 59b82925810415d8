#include "favourites/SavedLists.h"

#include "finder/FavouriteList.h"
#include "platform/Description.h"
#include "platform/Log.h"
#include "platform/PropertyList.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

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

// A save logs the list after every record; past this many identifiers each
// line shows the first ones and the count, so the log grows in step with the
// favourites rather than with their square.
constexpr std::size_t kListLogEntries = 32;

std::string describeList(const std::vector<std::string>& list)
{
    return platform::describeAtMost(list, kListLogEntries);
}

std::optional<std::vector<std::string>>
listingForLog(const platform::Result<std::vector<std::string>>& listing)
{
    if (!listing)
        return std::nullopt;
    return *listing;
}
} // namespace

catalogue::ChordList voicingsFor(const std::vector<std::string>& identifiers,
                                 const catalogue::ChordList& allTableData)
{
    // Every identifier's records, as positions in catalogue order, built once:
    // the search from a position, wrapping round, then finds the first
    // position at or after it, else the identifier's first position.
    std::unordered_map<std::string_view, std::vector<std::size_t>> positions;
    for (std::size_t index = 0; index < allTableData.size(); ++index)
        if (const auto& record = allTableData[index])
            positions[record->IDCifra].push_back(index);

    catalogue::ChordList found;
    std::size_t position = 0;
    for (const std::string& identifier : identifiers) {
        const auto entry = positions.find(identifier);
        if (entry == positions.end())
            continue;
        const std::vector<std::size_t>& at = entry->second;
        const auto next = std::lower_bound(at.begin(), at.end(), position);
        const std::size_t index = next != at.end() ? *next : at.front();
        const auto& record = allTableData[index];
        platform::log("plistSelecionado: " + identifier + " - acordeID " + record->IDCifra);
        found.push_back(record);
        position = (index + 1) % allTableData.size();
    }
    return found;
}

SavedLists::SavedLists(platform::Documents documents) : documents_(std::move(documents)) {}

std::vector<std::string> SavedLists::names() const
{
    auto listing = documents_.entries();
    return listing ? std::move(*listing) : std::vector<std::string>{};
}

bool SavedLists::acceptsName(const std::string& name) const
{
    if (platform::Documents::isEntryName(name))
        return true;
    platform::log(platform::LogLevel::Warning,
                  "nome de lista recusado: " + platform::quotedForLog(name));
    return false;
}

SavedLists::SaveResult SavedLists::save(const std::string& name,
                                        const catalogue::ChordListRef& favourites,
                                        std::vector<std::string>& list) const
{
    platform::log("List: " + describeList(list));
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
            platform::log("list: " + describeList(list));
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
            platform::log(platform::LogLevel::Warning,
                          "lista não salva: " + platform::quotedForLog(name) + " - " +
                              written.error());
    }

    platform::log("Documents directory: " +
                  platform::describe(listingForLog(documents_.entries())));
    std::optional<std::vector<std::string>> readBack;
    if (platform::Documents::isEntryName(name))
        if (const auto bytes = documents_.read(name, platform::maxPropertyListSize))
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
    const auto bytes = documents_.read(name, platform::maxPropertyListSize);
    if (!bytes) {
        platform::log(platform::LogLevel::Warning,
                      "lista não lida: " + platform::quotedForLog(name) + " - " + bytes.error());
        return false;
    }
    const auto array = platform::stringArrayFromPropertyList(*bytes);
    if (!array) {
        platform::log(platform::LogLevel::Warning,
                      "lista não é um array de property list: " + platform::quotedForLog(name) +
                          " - " + array.error());
        return false;
    }
    if (array->otherElements > 0)
        platform::log("elementos ignorados: " + std::to_string(array->otherElements));

    const catalogue::ChordList noRecords;
    catalogue::ChordList found =
        voicingsFor(array->strings, allTableData ? *allTableData : noRecords);
    if (favourites) {
        favourites->clear();
        finder::addFavourites(*favourites, found);
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
        platform::log(platform::LogLevel::Warning,
                      "lista não removida: " + platform::quotedForLog(name) + " - " +
                          removed.error());
    return removed.ok();
}

} // namespace favourites

#include "favourites/SavedLists.h"

#include "finder/FavouriteList.h"
#include "platform/Description.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace favourites {
namespace {
// A long list is logged by its first elements and its count, and the lines
// logged once per record stop after as many records, with one line for the
// rest: whatever the list's length, one action writes a few kilobytes of log.
constexpr std::size_t kListLogEntries = 16;

std::string describe(const catalogue::ChordList* records)
{
    if (!records)
        return "(null)";
    std::vector<std::string> texts;
    for (const auto& record : *records) {
        if (texts.size() == kListLogEntries)
            break;
        texts.push_back(record ? "<Acorde " + record->IDAcorde + " " + record->IDCifra + " " +
                                     record->Cifra + ">"
                               : "<null>");
    }
    return platform::describeFirst(texts, records->size());
}

std::string describeList(const std::vector<std::string>& list)
{
    return platform::describeAtMost(list, kListLogEntries);
}

std::string describeListing(const platform::Result<std::vector<std::string>>& listing)
{
    return listing ? describeList(*listing) : std::string("(null)");
}

// Whether the entry has the form of a chord identifier: six digits, as
// 001319 is C's.
bool isIdentifier(std::string_view entry)
{
    return entry.size() == 6 &&
           std::all_of(entry.begin(), entry.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The line that stands for the per-record lines left out.
std::string moreRecords(std::string_view line, std::size_t count)
{
    return std::string(line) + "… " + std::to_string(count) + " more";
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
        if (found.size() < kListLogEntries)
            platform::log("plistSelecionado: " + identifier + " - acordeID " + record->IDCifra);
        found.push_back(record);
        position = (index + 1) % allTableData.size();
    }
    if (found.size() > kListLogEntries)
        platform::log(moreRecords("plistSelecionado: ", found.size() - kListLogEntries));
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
            const bool logged = position < kListLogEntries;
            if (logged)
                platform::log("acorde: " + record->IDCifra);
            if (position < list.size())
                list[position] = record->IDCifra;
            else
                list.push_back(record->IDCifra);
            if (logged)
                platform::log("list: " + describeList(list));
            ++position;
        }
    }
    // The list holds this grid and nothing older, whatever it held before.
    list.resize(position);
    if (position > kListLogEntries) {
        platform::log(moreRecords("acorde: ", position - kListLogEntries));
        platform::log("list: " + describeList(list));
    }

    SaveResult result;
    if (acceptsName(name)) {
        // A list too large to be opened again is not written at all.
        const auto xml = platform::propertyListXml(list);
        const auto written =
            xml ? documents_.write(name, *xml) : platform::Result<void>(xml.failure());
        result.saved = written.ok();
        result.tooLarge = xml.failure().kind() == platform::ErrorKind::TooLarge;
        if (!written)
            platform::log(platform::LogLevel::Warning,
                          "lista não salva: " + platform::quotedForLog(name) + " - " +
                              written.error());
    }

    platform::log("Documents directory: " + describeListing(documents_.entries()));
    platform::Result<std::vector<std::string>> readBack = platform::failure("not read");
    if (platform::Documents::isEntryName(name))
        if (const auto bytes = documents_.read(name, platform::maxPropertyListSize))
            if (auto array = platform::stringArrayFromPropertyList(*bytes))
                readBack = std::move(array->strings);
    platform::log("Documents directory: " + describeListing(readBack));

    result.names = names();
    platform::log("cont list: " + std::to_string(result.names.size()));
    platform::log("cont list: " + describeList(result.names));
    return result;
}

SavedLists::OpenResult SavedLists::open(const std::string& name,
                                        const catalogue::ChordListRef& favourites,
                                        const catalogue::ChordListRef& allTableData) const
{
    using Refusal = OpenResult::Refusal;
    platform::log("selecionada: " + name);
    if (!acceptsName(name))
        return {Refusal::NotRead};
    const auto bytes = documents_.read(name, platform::maxPropertyListSize);
    if (!bytes) {
        platform::log(platform::LogLevel::Warning,
                      "lista não lida: " + platform::quotedForLog(name) + " - " + bytes.error());
        return {bytes.failure().kind() == platform::ErrorKind::TooLarge ? Refusal::TooLarge
                                                                        : Refusal::NotRead};
    }
    const auto array = platform::stringArrayFromPropertyList(*bytes);
    if (!array) {
        platform::log(platform::LogLevel::Warning,
                      "lista não é um array de property list: " + platform::quotedForLog(name) +
                          " - " + array.error());
        return {Refusal::NotAList};
    }
    if (array->otherElements > 0)
        platform::log("elementos ignorados: " + std::to_string(array->otherElements));

    const catalogue::ChordList noRecords;
    catalogue::ChordList found =
        voicingsFor(array->strings, allTableData ? *allTableData : noRecords);
    // Entries of which none names a chord of the catalogue would only empty
    // the favourites: names typed for identifiers, or identifiers the
    // catalogue does not hold.
    if (found.empty() && !array->strings.empty()) {
        const bool identifiers =
            std::any_of(array->strings.begin(), array->strings.end(), isIdentifier);
        platform::log(platform::LogLevel::Warning,
                      std::string(identifiers ? "lista sem acorde do catálogo: "
                                              : "lista sem identificador de acorde: ") +
                          platform::quotedForLog(name) + " - " + describeList(array->strings));
        return {identifiers ? Refusal::NoCatalogueChord : Refusal::NoIdentifier};
    }
    if (favourites) {
        favourites->clear();
        finder::addFavourites(*favourites, found);
    }
    platform::log("filtrados: " + describe(favourites.get()));
    return {};
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

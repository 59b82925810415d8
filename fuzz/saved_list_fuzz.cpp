// The saved-list reader on any bytes, XML or binary property list, then the
// look-up of what it read in a small catalogue.
#include "favourites/SavedLists.h"
#include "platform/Log.h"
#include "platform/PropertyList.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace {
catalogue::ChordList smallCatalogue()
{
    catalogue::ChordList records;
    for (const char* id : {"001319", "001319", "000100", "000200", "000200", "000200"})
        records.push_back(std::make_shared<catalogue::Acorde>(
            "1", id, "C ", " ", "Maior", " ", "C", "DS1", " ", "1", "0", "2", "3", " ", " ", " "));
    return records;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const catalogue::ChordList records = smallCatalogue();
    platform::setLogThreshold(platform::LogLevel::Warning);
    const auto array = platform::stringArrayFromPropertyList(
        std::string_view(reinterpret_cast<const char*>(data), size));
    if (array)
        (void)favourites::voicingsFor(array->strings, records);
    return 0;
}

// The catalogue loader on any bytes: it yields a whole catalogue or an empty
// one with one log line, and never crashes.
#include "catalogue/CatalogueLoader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // As many records as the text has lines after the header, so that the
    // records themselves get parsed, and the real count.
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    for (const std::size_t expected : {lines > 0 ? lines - 1 : 0, catalogue::kCatalogueRecords}) {
        std::size_t logLines = 0;
        const auto records = catalogue::catalogueFromText(
            text, "fuzz.tsv", [&](const std::string&) { ++logLines; }, expected);
        const bool whole = records && records->size() == expected && logLines == 0;
        const bool refused = records && records->empty() && logLines == 1;
        if (!whole && !refused)
            std::abort();
        if (whole)
            for (const auto& record : *records)
                if (record->Fav != " " || record->FavOrder != " ")
                    std::abort();
    }
    return 0;
}

// The import's scan of a page on any bytes: the page text, its bold names,
// and their look-up, checked against a pass over the catalogue per name;
// then the copy of the page the page view would show.
#include "finder/ChordNameScan.h"
#include "platform/page/PageMarkup.h"
#include "platform/page/PageText.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {
catalogue::ChordList catalogueOf(std::initializer_list<const char*> symbols)
{
    catalogue::ChordList records;
    for (const char* symbol : symbols)
        records.push_back(std::make_shared<catalogue::Acorde>("1", "1", "C ", " ", "Maior", " ",
                                                              symbol, "DS1", " ", "1", "0", "2",
                                                              "3", " ", " ", " "));
    return records;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const catalogue::ChordList plain =
        catalogueOf({"C", "Am", "Am7", "Am", "G7", "Db", "C#"});
    // A symbol holding "/ " makes names match by prefix.
    static const catalogue::ChordList prefixed = catalogueOf({"C/", "C/ E", "C", "Am", "A"});
    const std::string text =
        platform::pageText(std::string_view(reinterpret_cast<const char*>(data), size)).text;
    for (const catalogue::ChordList* records : {&plain, &prefixed}) {
        const finder::ChordNameIndex index(*records);
        finder::forEachBoldName(text, [&](std::string_view name) {
            if (index.firstChordNamed(name) != finder::firstChordNamed(*records, name))
                std::abort();
        });
        (void)finder::chordsNamedInText(text, *records);
    }
    (void)platform::pageToShow(text);
    return 0;
}

// The saved-list reader on any bytes, XML or binary property list, then the
// look-up of what it read in a small catalogue. Our reader is also held
// against the libraries themselves: whatever list it takes, the library must
// take too and read to the same strings and the same count of other
// elements; else the two read the format differently and this stops. For
// binary bytes that is the property-list library, whose tree must also nest
// and weigh no more than the reader allowed; for XML bytes, libxml2 alone on
// the bytes as they are, comments, every attribute and the declared encoding
// and all. (Bytes the reader refuses are not handed to the property-list
// library: they may be the very ones that would overflow its stack or fill
// the memory.)
#include "favourites/SavedLists.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"
#include "platform/lists/PropertyListBinary.h"
#include "platform/lists/PropertyListXml.h"
#include "tests/lists/LibraryLists.h"
#include "tests/lists/Libxml2Lists.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <plist/plist.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {
catalogue::ChordList smallCatalogue()
{
    catalogue::ChordList records;
    for (const char* id : {"001319", "001319", "000100", "000200", "000200", "000200"})
        records.push_back(std::make_shared<catalogue::Acorde>(
            "1", id, "C ", " ", "Maior", " ", "C", "DS1", " ", "1", "0", "2", "3", " ", " ", " "));
    return records;
}

// The depth of the tree and what it weighs as our reader counts it:
// each element (a dictionary's keys included), plus the bytes of its text or
// data. A key's own text is left out: the library reads no key holding a NUL
// byte back without stopping, so the weight here is at most the reader's.
std::pair<std::size_t, std::size_t> measure(plist_t root)
{
    std::size_t deepest = 0;
    std::size_t bytes = 0;
    std::vector<std::pair<plist_t, std::size_t>> pending{{root, 1}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        bytes += platform::parsedElementBytes;
        const plist_type type = plist_get_node_type(node);
        uint64_t length = 0;
        if (type == PLIST_STRING) {
            plist_get_string_ptr(node, &length);
            bytes += length;
        } else if (type == PLIST_DATA) {
            plist_get_data_ptr(node, &length);
            bytes += length;
        } else if (type == PLIST_ARRAY) {
            plist_array_iter iter = nullptr;
            plist_array_new_iter(node, &iter);
            for (plist_t item = nullptr;;) {
                plist_array_next_item(node, iter, &item);
                if (!item)
                    break;
                pending.emplace_back(item, depth + 1);
            }
            std::free(iter);
        } else if (type == PLIST_DICT) {
            // Values are asked for alone, and each value's key through it: a
            // key that is no key object stops the library's own key reading.
            plist_dict_iter iter = nullptr;
            plist_dict_new_iter(node, &iter);
            for (plist_t value = nullptr;;) {
                plist_dict_next_item(node, iter, nullptr, &value);
                if (!value)
                    break;
                if (plist_t key = plist_dict_item_get_key(value))
                    pending.emplace_back(key, depth + 1);
                pending.emplace_back(value, depth + 1);
            }
            std::free(iter);
        }
    }
    return {deepest, bytes};
}

void checkAgainstTheLibrary(std::string_view bytes,
                            const platform::Result<platform::StringArray>& ours)
{
    if (!bytes.starts_with("bplist00") || !ours)
        return;
    plist_t root = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root || plist_get_node_type(root) != PLIST_ARRAY)
        std::abort(); // taken here, refused there
    const auto [depth, weight] = measure(root);
    const platform::StringArray theirs = liststest::libraryArray(root);
    plist_free(root);
    if (depth > platform::maxPropertyListDepth || weight > platform::maxPropertyListParsedBytes)
        std::abort();
    if (theirs.strings != ours->strings || theirs.otherElements != ours->otherElements)
        std::abort();
}
void ignoreError(void*, xmlErrorPtr) {}

// Attributes past those the reader hands the parser are judged, not read:
// the bytes are held against libxml2's reading of them all the same.
void checkXmlAgainstLibxml2(std::string_view bytes,
                            const platform::Result<platform::StringArray>& ours)
{
    if (bytes.starts_with("bplist00") || !ours)
        return;
    if (!liststest::libxml2ReadsAs(bytes, *ours))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const catalogue::ChordList records = smallCatalogue();
    static const bool quiet = (xmlSetStructuredErrorFunc(nullptr, ignoreError), true);
    (void)quiet;
    platform::setLogThreshold(platform::LogLevel::Warning);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto array = platform::stringArrayFromPropertyList(bytes);
    if (array)
        (void)favourites::voicingsFor(array->strings, records);
    checkAgainstTheLibrary(bytes, array);
    checkXmlAgainstLibxml2(bytes, array);
    return 0;
}

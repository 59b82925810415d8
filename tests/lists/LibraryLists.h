#pragma once
// The property-list library's own writing and reading of an array of
// strings, which the saved-list tests, the lists benchmark and the fuzz
// target hold our reader against.
#include "platform/lists/PropertyList.h"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace liststest {

// The library's binary form of an array of strings.
inline std::string libraryWritten(const std::vector<std::string>& strings)
{
    plist_t array = plist_new_array();
    for (const std::string& text : strings)
        plist_array_append_item(array, plist_new_string(text.c_str()));
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(array, &bytes, &length);
    std::string result(bytes, length);
    plist_to_bin_free(bytes);
    plist_free(array);
    return result;
}

// The strings of the library's array `root` and the count of its other
// elements.
inline platform::StringArray libraryArray(plist_t root)
{
    platform::StringArray array;
    plist_array_iter iter = nullptr;
    plist_array_new_iter(root, &iter);
    for (plist_t item = nullptr;;) {
        plist_array_next_item(root, iter, &item);
        if (!item)
            break;
        if (plist_get_node_type(item) != PLIST_STRING) {
            ++array.otherElements;
            continue;
        }
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(item, &length);
        array.strings.emplace_back(text ? text : "", text ? length : 0);
    }
    std::free(iter);
    return array;
}

} // namespace liststest

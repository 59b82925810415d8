#include "platform/PropertyList.h"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

namespace platform {
namespace {
struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;
} // namespace

std::string propertyListXml(const std::vector<std::string>& strings)
{
    PlistPtr array(plist_new_array());
    for (const std::string& text : strings)
        plist_array_append_item(array.get(), plist_new_string(text.c_str()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(array.get(), &xml, &length);
    std::string result = xml ? std::string(xml, length) : std::string();
    plist_to_xml_free(xml);
    return result;
}

std::optional<StringArray> stringArrayFromPropertyList(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    plist_t parsed = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &parsed);
    PlistPtr root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_ARRAY)
        return std::nullopt;

    StringArray result;
    const uint32_t count = plist_array_get_size(root.get());
    for (uint32_t i = 0; i < count; ++i) {
        plist_t item = plist_array_get_item(root.get(), i);
        if (plist_get_node_type(item) != PLIST_STRING) {
            ++result.otherElements;
            continue;
        }
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(item, &length);
        result.strings.emplace_back(text ? text : "", text ? length : 0);
    }
    return result;
}

} // namespace platform

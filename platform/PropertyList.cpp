#include "platform/PropertyList.h"

#include "platform/BinaryPropertyListBounds.h"
#include "platform/PropertyListXml.h"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform {
namespace {
struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

Error tooLarge()
{
    return failure("larger than " + std::to_string(maxPropertyListSize) + " bytes",
                   ErrorKind::TooLarge);
}

// What the binary form holds, read by the property-list library once its
// bounds are checked. Its XML reader is not used: it reads markup its own
// way, so no check made by an XML parser could tell what it would build.
Result<StringArray> stringArrayFromBinary(std::string_view bytes)
{
    if (auto bounds =
            checkBinaryPropertyList(bytes, maxPropertyListDepth, maxPropertyListParsedBytes);
        !bounds)
        return failure(bounds.error());
    plist_t parsed = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &parsed);
    PlistPtr root(parsed);
    if (!root)
        return failure("not a property list");
    if (plist_get_node_type(root.get()) != PLIST_ARRAY)
        return failure("the root of the property list is not an array");

    StringArray result;
    // An iterator walks the array once; looking items up by index would walk
    // the array's inner linked list from its start for every item.
    plist_array_iter iter = nullptr;
    plist_array_new_iter(root.get(), &iter);
    const std::unique_ptr<void, decltype(&std::free)> iterOwner(iter, &std::free);
    for (;;) {
        plist_t item = nullptr;
        plist_array_next_item(root.get(), iter, &item);
        if (!item)
            break;
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
} // namespace

Result<std::string> propertyListXml(const std::vector<std::string>& strings)
{
    PlistPtr array(plist_new_array());
    for (const std::string& text : strings)
        plist_array_append_item(array.get(), plist_new_string(text.c_str()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(array.get(), &xml, &length);
    std::string result = xml ? std::string(xml, length) : std::string();
    plist_to_xml_free(xml);
    if (result.size() > maxPropertyListSize)
        return tooLarge();
    return result;
}

Result<StringArray> stringArrayFromPropertyList(std::string_view bytes)
{
    if (bytes.size() > maxPropertyListSize)
        return tooLarge();
    if (bytes.starts_with("bplist00"))
        return stringArrayFromBinary(bytes);
    return stringArrayFromXml(bytes, maxPropertyListDepth);
}

} // namespace platform

#include "platform/lists/PropertyList.h"

#include "platform/lists/PropertyListBinary.h"
#include "platform/lists/PropertyListXml.h"

#include <plist/plist.h>

#include <cstdint>
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
        return stringArrayFromBinary(bytes, maxPropertyListDepth, maxPropertyListParsedBytes);
    return stringArrayFromXml(bytes, maxPropertyListDepth);
}

} // namespace platform

#include "platform/PropertyListNesting.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
namespace {

Error nestedTooDeep(std::size_t maxDepth)
{
    return failure("nested deeper than " + std::to_string(maxDepth) + " levels");
}

// The XML form: every element that is opened and not closed at once adds a
// level. Comments, processing instructions, the document type and CDATA
// sections are passed over; a '<' cannot appear unescaped anywhere else.
bool xmlNestsAtMost(std::string_view text, std::size_t maxDepth)
{
    std::size_t depth = 0;
    std::size_t i = 0;
    const auto skipPast = [&](std::string_view end) {
        const std::size_t found = text.find(end, i);
        i = found == std::string_view::npos ? text.size() : found + end.size();
    };
    while ((i = text.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--")) {
            skipPast("-->");
        } else if (rest.starts_with("<![CDATA[")) {
            skipPast("]]>");
        } else if (rest.starts_with("<?") || rest.starts_with("<!")) {
            skipPast(">");
        } else if (rest.starts_with("</")) {
            if (depth > 0)
                --depth;
            skipPast(">");
        } else {
            const std::size_t end = text.find('>', i);
            if (end == std::string_view::npos)
                return true; // unterminated: the parser refuses it
            if (text[end - 1] != '/' && ++depth > maxDepth)
                return false;
            i = end + 1;
        }
    }
    return true;
}

// The binary form: a trailer says where the table of object offsets lies; an
// array, set or dictionary holds references (indexes into that table) to its
// members. The depth is the longest chain of references from the top object.
class BinaryList {
public:
    explicit BinaryList(std::string_view bytes) : bytes_(bytes) {}

    // Bytes too damaged to measure pass: the parser refuses them.
    Result<void> check(std::size_t maxDepth, std::size_t maxElements)
    {
        if (bytes_.size() < 8 + 32)
            return {};
        const std::size_t trailer = bytes_.size() - 32;
        offsetSize_ = byte(trailer + 6);
        refSize_ = byte(trailer + 7);
        objects_ = number(trailer + 8, 8);
        const std::uint64_t top = number(trailer + 16, 8);
        tableOffset_ = number(trailer + 24, 8);
        if (offsetSize_ == 0 || offsetSize_ > 8 || refSize_ == 0 || refSize_ > 8 ||
            top >= objects_ || tableOffset_ > trailer ||
            objects_ > (trailer - tableOffset_) / offsetSize_)
            return {};
        return walk(top, maxDepth, maxElements);
    }

private:
    std::uint8_t byte(std::size_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }

    std::uint64_t number(std::size_t at, std::size_t size) const
    {
        std::uint64_t value = 0;
        for (std::size_t k = 0; k < size; ++k)
            value = (value << 8) | byte(at + k);
        return value;
    }

    // The references a container object holds; none for any other object,
    // and nothing when the object lies outside the bytes.
    std::optional<std::vector<std::uint64_t>> references(std::uint64_t object) const
    {
        const std::uint64_t at = number(tableOffset_ + object * offsetSize_, offsetSize_);
        if (at >= tableOffset_)
            return std::nullopt;
        const std::uint8_t marker = byte(at);
        const unsigned type = marker >> 4;
        if (type != 0xA && type != 0xC && type != 0xD)
            return std::vector<std::uint64_t>{};
        std::uint64_t count = marker & 0xF;
        std::uint64_t next = at + 1;
        if (count == 0xF) { // the count follows as an integer object
            if (next >= tableOffset_ || (byte(next) >> 4) != 0x1)
                return std::nullopt;
            const std::size_t size = std::size_t{1} << (byte(next) & 0x3);
            if (next + 1 + size > tableOffset_)
                return std::nullopt;
            count = number(next + 1, size);
            next += 1 + size;
        }
        const std::uint64_t perMember = type == 0xD ? 2 : 1; // a key and a value
        if (count > (tableOffset_ - next) / refSize_ / perMember)
            return std::nullopt;
        count *= perMember;
        std::vector<std::uint64_t> refs(count);
        for (std::uint64_t k = 0; k < count; ++k) {
            refs[k] = number(next + k * refSize_, refSize_);
            if (refs[k] >= objects_)
                return std::nullopt;
        }
        return refs;
    }

    // A walk with its own stack, never deeper than maxDepth: each object's
    // height and element count are worked out once, so a shared member costs
    // its count again but no new walk.
    Result<void> walk(std::uint64_t top, std::size_t maxDepth, std::size_t maxElements) const
    {
        const Error tooDeep = nestedTooDeep(maxDepth);
        const Error tooMany =
            failure("more than " + std::to_string(maxElements) + " elements once expanded");
        constexpr std::uint32_t unknown = 0, onPath = UINT32_MAX;
        std::vector<std::uint32_t> height(objects_, unknown); // levels at and below
        std::vector<std::uint64_t> elements(objects_, 0);     // itself and all below
        struct Frame {
            std::uint64_t object;
            std::vector<std::uint64_t> refs;
            std::size_t next = 0;
            std::uint32_t height = 1;
            std::uint64_t elements = 1;
        };
        std::vector<Frame> path;
        std::optional<Error> fault;
        // Enters a container; an object too damaged to read counts as a
        // plain member, left to the parser to refuse, and is read only once.
        const auto enter = [&](std::uint64_t object) {
            auto refs = references(object);
            if (!refs) {
                height[object] = 1;
                elements[object] = 1;
                return true;
            }
            if (path.size() >= maxDepth) {
                fault = tooDeep;
                return false;
            }
            height[object] = onPath;
            path.push_back({object, std::move(*refs)});
            return true;
        };
        if (!enter(top))
            return *fault;
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next == frame.refs.size()) {
                const Frame done = std::move(frame);
                height[done.object] = done.height;
                elements[done.object] = done.elements;
                path.pop_back();
                if (!path.empty()) {
                    path.back().height = std::max(path.back().height, done.height + 1);
                    path.back().elements += done.elements;
                    if (path.back().elements > maxElements)
                        return tooMany;
                }
                continue;
            }
            const std::uint64_t child = frame.refs[frame.next++];
            if (height[child] == onPath)
                return tooDeep; // a container inside itself
            if (height[child] != unknown) {
                if (height[child] + path.size() > maxDepth)
                    return tooDeep;
                frame.height = std::max(frame.height, height[child] + 1);
                frame.elements += elements[child];
                if (frame.elements > maxElements)
                    return tooMany;
                continue;
            }
            if (!enter(child))
                return *fault;
            if (height[child] != onPath) { // damaged, so not entered
                Frame& parent = path.back();
                parent.height = std::max<std::uint32_t>(parent.height, 2);
                ++parent.elements;
            }
        }
        return {};
    }

    std::string_view bytes_;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::uint64_t objects_ = 0;
    std::uint64_t tableOffset_ = 0;
};

} // namespace

Result<void> checkNesting(std::string_view bytes, std::size_t maxDepth, std::size_t maxElements)
{
    if (bytes.starts_with("bplist00"))
        return BinaryList(bytes).check(maxDepth, maxElements);
    if (!xmlNestsAtMost(bytes, maxDepth))
        return nestedTooDeep(maxDepth);
    return {};
}

} // namespace platform

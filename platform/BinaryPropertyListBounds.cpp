#include "platform/BinaryPropertyListBounds.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
namespace {

// A trailer says where the table of object offsets lies; an array, set or
// dictionary holds references (indexes into that table) to its members. The
// depth is the longest chain of references from the top object; the parsed
// size sums every object once per path of references that reaches it.
class BinaryList {
public:
    explicit BinaryList(std::string_view bytes) : bytes_(bytes) {}

    // Bytes too damaged to measure pass: the parser refuses them.
    Result<void> check(std::size_t maxDepth, std::size_t maxParsedBytes)
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
        return walk(top, maxDepth, maxParsedBytes);
    }

private:
    // One object as its marker describes it: a container's references, or
    // what a leaf costs once parsed.
    struct Object {
        bool container = false;
        std::uint64_t refsAt = 0;
        std::uint64_t refs = 0;
        std::uint64_t parsedBytes = parsedElementBytes;
    };

    std::uint8_t byte(std::uint64_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }

    std::uint64_t number(std::uint64_t at, std::size_t size) const
    {
        std::uint64_t value = 0;
        for (std::size_t k = 0; k < size; ++k)
            value = (value << 8) | byte(at + k);
        return value;
    }

    // Nothing when the object lies outside the bytes or its container's
    // references run past them.
    std::optional<Object> object(std::uint64_t index) const
    {
        const std::uint64_t at = number(tableOffset_ + index * offsetSize_, offsetSize_);
        if (at >= tableOffset_)
            return std::nullopt;
        const std::uint8_t marker = byte(at);
        const unsigned type = marker >> 4;
        const bool container = type == 0xA || type == 0xC || type == 0xD;
        const bool text = type == 0x4 || type == 0x5 || type == 0x6 || type == 0x7;
        std::uint64_t count = marker & 0xF;
        std::uint64_t next = at + 1;
        if ((container || text) && count == 0xF) { // the count follows as an integer object
            if (next >= tableOffset_ || (byte(next) >> 4) != 0x1)
                return std::nullopt;
            const std::size_t size = std::size_t{1} << (byte(next) & 0x3);
            if (next + 1 + size > tableOffset_)
                return std::nullopt;
            count = number(next + 1, size);
            next += 1 + size;
        }
        Object found;
        const std::uint64_t room = tableOffset_ - next;
        if (container) {
            const std::uint64_t perMember = type == 0xD ? 2 : 1; // a key and a value
            if (count > room / refSize_ / perMember)
                return std::nullopt;
            found.container = true;
            found.refsAt = next;
            found.refs = count * perMember;
        } else if (type == 0x6) {
            // UTF-16 units, each up to three bytes of UTF-8 once converted.
            found.parsedBytes += 3 * std::min(count, room / 2) + 1;
        } else if (text) {
            found.parsedBytes += std::min(count, room) + 1;
        }
        return found;
    }

    // A walk with its own stack, never deeper than maxDepth: each object's
    // height and parsed size are worked out once, so a shared member costs
    // its size again for each reference but no new walk.
    Result<void> walk(std::uint64_t top, std::size_t maxDepth, std::size_t maxParsedBytes) const
    {
        const Error tooDeep = failure("nested deeper than " + std::to_string(maxDepth) + " levels");
        const Error tooLarge =
            failure("more than " + std::to_string(maxParsedBytes) + " bytes once parsed");
        constexpr std::uint8_t unknown = 0, onPath = 255;
        // Per object: levels at and below it; its parsed size with all below.
        std::vector<std::uint8_t> height(objects_, unknown);
        std::vector<std::uint32_t> parsed(objects_, 0);
        struct Frame {
            std::uint64_t object;
            Object container;
            std::uint64_t next = 0;
            std::uint8_t height = 1;
            std::uint64_t parsed = 0;
        };
        std::vector<Frame> path;
        // Enters an object: a container goes on the path; a leaf, or an
        // object too damaged to read (left to the parser to refuse), is
        // measured at once. False when the path would grow too deep.
        const auto enter = [&](std::uint64_t index) {
            const std::optional<Object> found = object(index);
            if (!found || !found->container) {
                height[index] = 1;
                parsed[index] = static_cast<std::uint32_t>(
                    std::min<std::uint64_t>(found ? found->parsedBytes : parsedElementBytes,
                                            maxParsedBytes + std::uint64_t{1}));
                return true;
            }
            if (path.size() >= maxDepth)
                return false;
            height[index] = onPath;
            path.push_back({index, *found, 0, 1, found->parsedBytes});
            return true;
        };
        if (!enter(top))
            return tooDeep;
        if (path.empty())
            return parsed[top] > maxParsedBytes ? Result<void>(tooLarge) : Result<void>();
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next == frame.container.refs) {
                const Frame done = frame;
                height[done.object] = done.height;
                parsed[done.object] = static_cast<std::uint32_t>(done.parsed);
                path.pop_back();
                if (!path.empty()) {
                    Frame& parent = path.back();
                    parent.height = std::max<std::uint8_t>(parent.height, done.height + 1);
                    parent.parsed += done.parsed;
                    if (parent.parsed > maxParsedBytes)
                        return tooLarge;
                }
                continue;
            }
            const std::uint64_t child =
                number(frame.container.refsAt + frame.next++ * refSize_, refSize_);
            if (child >= objects_)
                continue; // a broken reference: the parser refuses the list
            if (height[child] == onPath)
                return tooDeep; // a container inside itself
            if (height[child] == unknown) {
                if (!enter(child))
                    return tooDeep;
                if (height[child] == onPath)
                    continue; // entered: added to its container when done
            }
            // Measured before: a leaf, or a member shared with another container.
            Frame& parent = path.back();
            if (height[child] + path.size() > maxDepth)
                return tooDeep;
            parent.height = std::max<std::uint8_t>(parent.height, height[child] + 1);
            parent.parsed += parsed[child];
            if (parent.parsed > maxParsedBytes)
                return tooLarge;
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

Result<void> checkBinaryPropertyList(std::string_view bytes, std::size_t maxDepth,
                                     std::size_t maxParsedBytes)
{
    return BinaryList(bytes).check(maxDepth, maxParsedBytes);
}

} // namespace platform

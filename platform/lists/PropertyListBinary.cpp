#include "platform/lists/PropertyListBinary.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr std::uint64_t headerSize = 8; // "bplist00"
constexpr std::uint64_t trailerSize = 32;

// What an object is to a reader of string arrays.
enum class Kind : std::uint8_t {
    Other,      // a boolean, number, date, data or identifier: no members
    Ascii,      // bytes, read up to the first NUL as the library reads them
    Utf16,      // big-endian UTF-16 units
    Array,      // an array or a set: references to its members
    Dictionary, // references to its keys, then as many to its values
};

// One object as its marker and size describe it.
struct Object {
    Kind kind = Kind::Other;
    std::uint64_t at = 0;    // where its text, data or references start
    std::uint64_t count = 0; // bytes of text or data, UTF-16 units, or members

    bool container() const { return kind == Kind::Array || kind == Kind::Dictionary; }
    bool text() const { return kind == Kind::Ascii || kind == Kind::Utf16; }
    std::uint64_t references() const { return kind == Kind::Dictionary ? 2 * count : count; }
};

// Big-endian UTF-16 to UTF-8 the way the library converts it, so a string
// reads the same here as there: a lead surrogate waits for a trail surrogate
// (characters between them are written meanwhile), a second lead surrogate
// drops the first and itself, a trail surrogate without a lead is dropped,
// and a NUL unit is kept. Appends to `out` when given; answers the number of
// bytes written.
std::size_t utf8FromUtf16(std::string_view units, std::string* out)
{
    std::size_t written = 0;
    const auto put = [&](std::uint32_t byte) {
        if (out)
            out->push_back(static_cast<char>(byte & 0xFF));
        ++written;
    };
    bool lead = false;
    std::uint32_t code = 0;
    for (std::size_t k = 0; k + 1 < units.size(); k += 2) {
        const std::uint32_t unit =
            (static_cast<std::uint32_t>(static_cast<unsigned char>(units[k])) << 8) |
            static_cast<unsigned char>(units[k + 1]);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            lead = !lead;
            if (lead)
                code = 0x10000 + ((unit & 0x3FF) << 10);
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (lead) {
                lead = false;
                code |= unit & 0x3FF;
                put(0xF0 + ((code >> 18) & 0x7));
                put(0x80 + ((code >> 12) & 0x3F));
                put(0x80 + ((code >> 6) & 0x3F));
                put(0x80 + (code & 0x3F));
            }
        } else if (unit >= 0x800) {
            put(0xE0 + ((unit >> 12) & 0xF));
            put(0x80 + ((unit >> 6) & 0x3F));
            put(0x80 + (unit & 0x3F));
        } else if (unit >= 0x80) {
            put(0xC0 + ((unit >> 6) & 0x1F));
            put(0x80 + (unit & 0x3F));
        } else {
            put(unit);
        }
    }
    return written;
}

class BinaryList {
public:
    explicit BinaryList(std::string_view bytes) : bytes_(bytes) {}

    // The trailer and the offset table lie inside the bytes, as the library
    // checks them.
    bool readTrailer()
    {
        if (bytes_.size() < headerSize + trailerSize || !bytes_.starts_with("bplist00"))
            return false;
        const std::uint64_t trailer = bytes_.size() - trailerSize;
        offsetSize_ = byte(trailer + 6);
        refSize_ = byte(trailer + 7);
        objects_ = number(trailer + 8, 8);
        top_ = number(trailer + 16, 8);
        table_ = number(trailer + 24, 8);
        return table_ >= headerSize && table_ < trailer && objects_ > 0 && offsetSize_ > 0 &&
               refSize_ > 0 && top_ < objects_ && objects_ <= (trailer - table_) / offsetSize_;
    }

    // Walks every object reachable from the top once, with its own stack,
    // never deeper than maxDepth: each object is read and its height and
    // parsed size worked out once, so a shared member costs its size again
    // for each reference but is not read again.
    Result<void> measure(std::size_t maxDepth, std::size_t maxParsedBytes) const
    {
        const Error notAList = failure("not a property list");
        const Error tooDeep = failure("nested deeper than " + std::to_string(maxDepth) + " levels");
        const Error tooLarge =
            failure("more than " + std::to_string(maxParsedBytes) + " bytes once parsed");
        // Per object: unseen, on the path being walked, or measured: its
        // height (levels at and below it) and whether it is a string.
        constexpr std::uint8_t unseen = 0, onPath = 0xFF, isText = 0x80, heightBits = 0x7F;
        std::vector<std::uint8_t> mark(objects_, unseen);
        std::vector<std::uint32_t> parsed(objects_, 0); // capped at maxParsedBytes + 1
        struct Frame {
            std::uint64_t index;
            Object container;
            std::uint64_t next = 0; // the next reference to follow
            std::uint8_t height = 1;
            std::uint64_t parsed = parsedElementBytes;
        };
        std::vector<Frame> path;
        enum class Entered { Refused, TooDeep, Measured, OnPath };
        // Reads an object: a leaf is measured at once, a container goes on
        // the path. A dictionary key must be a string.
        const auto enter = [&](std::uint64_t index, bool key) {
            const std::optional<Object> found = object(index);
            if (!found || (key && !found->text()))
                return Entered::Refused;
            if (!found->container()) {
                mark[index] = static_cast<std::uint8_t>(1 | (found->text() ? isText : 0));
                parsed[index] = static_cast<std::uint32_t>(std::min<std::uint64_t>(
                    parsedBytes(*found), maxParsedBytes + std::uint64_t{1}));
                return Entered::Measured;
            }
            if (path.size() >= maxDepth)
                return Entered::TooDeep;
            mark[index] = onPath;
            path.push_back({index, *found});
            return Entered::OnPath;
        };
        // Adds a measured member to the container on top of the path.
        const auto add = [&](std::uint8_t height, std::uint64_t bytes) {
            Frame& parent = path.back();
            parent.height = std::max<std::uint8_t>(parent.height, height + 1);
            parent.parsed += bytes;
            return parent.parsed <= maxParsedBytes;
        };

        switch (enter(top_, false)) {
        case Entered::Refused:
            return notAList;
        case Entered::TooDeep:
            return tooDeep;
        case Entered::Measured:
            return parsed[top_] > maxParsedBytes ? Result<void>(tooLarge) : Result<void>();
        case Entered::OnPath:
            break;
        }
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next == frame.container.references()) {
                const Frame done = frame;
                mark[done.index] = done.height;
                parsed[done.index] = static_cast<std::uint32_t>(done.parsed);
                path.pop_back();
                if (!path.empty() && !add(done.height, done.parsed))
                    return tooLarge;
                continue;
            }
            const bool key =
                frame.container.kind == Kind::Dictionary && frame.next < frame.container.count;
            const std::uint64_t child = reference(frame.container, frame.next++);
            if (child >= objects_ || mark[child] == onPath) // a container inside itself
                return notAList;
            if (mark[child] == unseen) {
                const Entered entered = enter(child, key);
                if (entered == Entered::Refused)
                    return notAList;
                if (entered == Entered::TooDeep)
                    return tooDeep;
                if (entered == Entered::OnPath)
                    continue; // added to its container when done
            } else if (key && !(mark[child] & isText)) {
                return notAList;
            }
            // A leaf, or a member already measured under another container.
            const std::uint8_t height = mark[child] & heightBits;
            if (height + path.size() > maxDepth)
                return tooDeep;
            if (!add(height, parsed[child]))
                return tooLarge;
        }
        return {};
    }

    // The top array's strings; only after measure() has passed.
    Result<StringArray> strings() const
    {
        const Object root = *object(top_);
        if (root.kind != Kind::Array)
            return failure("the root of the property list is not an array");
        StringArray result;
        for (std::uint64_t k = 0; k < root.count; ++k) {
            const Object member = *object(reference(root, k));
            if (member.kind == Kind::Ascii) {
                const std::string_view text = bytes_.substr(member.at, member.count);
                result.strings.emplace_back(text.substr(0, text.find('\0')));
            } else if (member.kind == Kind::Utf16) {
                std::string& text = result.strings.emplace_back();
                utf8FromUtf16(bytes_.substr(member.at, 2 * member.count), &text);
            } else {
                ++result.otherElements;
            }
        }
        return result;
    }

private:
    std::uint8_t byte(std::uint64_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }

    // An unsigned big-endian number of `size` bytes; of a wider one, as the
    // library reads it, its last eight bytes.
    std::uint64_t number(std::uint64_t at, std::uint64_t size) const
    {
        if (size > 8) {
            at += size - 8;
            size = 8;
        }
        std::uint64_t value = 0;
        for (std::uint64_t k = 0; k < size; ++k)
            value = (value << 8) | byte(at + k);
        return value;
    }

    std::uint64_t reference(const Object& container, std::uint64_t k) const
    {
        return number(container.at + k * refSize_, refSize_);
    }

    // The object at that index of the offset table, when the library would
    // read it: every byte it takes lies before the offset table, and its
    // marker and size are ones the library knows. Its members are not read.
    std::optional<Object> object(std::uint64_t index) const
    {
        const std::uint64_t offset = number(table_ + index * offsetSize_, offsetSize_);
        if (offset >= table_)
            return std::nullopt;
        const unsigned type = byte(offset) >> 4;
        std::uint64_t size = byte(offset) & 0xF;
        std::uint64_t at = offset + 1;
        const bool sized =
            type == 0x4 || type == 0x5 || type == 0x6 || type == 0xA || type == 0xC || type == 0xD;
        if (sized && size == 0xF) { // the size follows as an integer object, of any width
            if (at >= table_ || (byte(at) >> 4) != 0x1)
                return std::nullopt;
            const std::uint64_t width = std::uint64_t{1} << (byte(at) & 0xF);
            if (width > table_ - at - 1)
                return std::nullopt;
            size = number(at + 1, width);
            at += 1 + width;
        }
        const std::uint64_t room = table_ - at;
        switch (type) {
        case 0x0: // false, true
            return size == 0x8 || size == 0x9 ? std::optional<Object>(Object{}) : std::nullopt;
        case 0x1: // an integer of 1, 2, 4, 8 or 16 bytes
            return size <= 4 && (std::uint64_t{1} << size) <= room ? std::optional<Object>(Object{})
                                                                   : std::nullopt;
        case 0x2: // a real of 4 or 8 bytes
            return (size == 2 || size == 3) && (std::uint64_t{1} << size) <= room
                       ? std::optional<Object>(Object{})
                       : std::nullopt;
        case 0x3: // a date: an 8-byte real
            return size == 3 && room >= 8 ? std::optional<Object>(Object{}) : std::nullopt;
        case 0x4: // data
            return size <= room ? std::optional<Object>(Object{Kind::Other, at, size})
                                : std::nullopt;
        case 0x5:
            return size <= room ? std::optional<Object>(Object{Kind::Ascii, at, size})
                                : std::nullopt;
        case 0x6: // the library reads no empty UTF-16 string
            return size > 0 && size <= room / 2
                       ? std::optional<Object>(Object{Kind::Utf16, at, size})
                       : std::nullopt;
        case 0x8: // an identifier of up to 16 bytes whose value fits 32 bits
            return size + 1 <= room && number(at, size + 1) <= 0xFFFFFFFF
                       ? std::optional<Object>(Object{})
                       : std::nullopt;
        case 0xA:
        case 0xC:
            return size <= room / refSize_ ? std::optional<Object>(Object{Kind::Array, at, size})
                                           : std::nullopt;
        case 0xD:
            return size <= room / refSize_ / 2
                       ? std::optional<Object>(Object{Kind::Dictionary, at, size})
                       : std::nullopt;
        default:
            return std::nullopt;
        }
    }

    // What a leaf costs once parsed: the element and the bytes of its text
    // or data as the library keeps them.
    std::uint64_t parsedBytes(const Object& leaf) const
    {
        const std::string_view content = bytes_.substr(leaf.at, leaf.count);
        switch (leaf.kind) {
        case Kind::Ascii:
            return parsedElementBytes + std::min(content.find('\0'), content.size());
        case Kind::Utf16:
            return parsedElementBytes +
                   utf8FromUtf16(bytes_.substr(leaf.at, 2 * leaf.count), nullptr);
        default:
            return parsedElementBytes + leaf.count;
        }
    }

    std::string_view bytes_;
    std::uint64_t offsetSize_ = 0;
    std::uint64_t refSize_ = 0;
    std::uint64_t objects_ = 0;
    std::uint64_t top_ = 0;
    std::uint64_t table_ = 0;
};

} // namespace

Result<StringArray> stringArrayFromBinary(std::string_view bytes, std::size_t maxDepth,
                                          std::size_t maxParsedBytes)
{
    BinaryList list(bytes);
    if (!list.readTrailer())
        return failure("not a property list");
    if (auto measured = list.measure(maxDepth, maxParsedBytes); !measured)
        return failure(measured.error());
    return list.strings();
}

} // namespace platform

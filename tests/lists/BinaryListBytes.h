#pragma once
// Binary property lists built byte by byte, for the saved-list tests, the
// lists benchmark and the fuzz seeds: plain lists, and the hostile ones a
// reader must refuse at once (nested without end, one member referred to a
// million times, fields written wider than a writer would write them).
#include <cstdint>
#include <string>
#include <vector>

namespace liststest {

// Appends `value` as a big-endian number of `size` bytes; any bytes past the
// eighth, at the front, are zeros.
inline void bigEndian(std::string& out, std::uint64_t value, int size)
{
    for (int k = size - 1; k >= 0; --k)
        out += static_cast<char>(k >= 8 ? 0 : (value >> (8 * k)) & 0xFF);
}

// A binary property list of the given objects, each its encoded bytes,
// object 0 the top; offsets of offsetSize bytes, and refSize as the
// references inside the objects were written.
inline std::string binaryPropertyList(const std::vector<std::string>& objects, int refSize = 4,
                                      int offsetSize = 4)
{
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(out.size());
        out += object;
    }
    const std::uint64_t table = out.size();
    for (const std::uint64_t offset : offsets)
        bigEndian(out, offset, offsetSize);
    out += std::string(6, '\0');
    out += static_cast<char>(offsetSize);
    out += static_cast<char>(refSize);
    bigEndian(out, objects.size(), 8);
    bigEndian(out, 0, 8);
    bigEndian(out, table, 8);
    return out;
}

// An object's marker with its count. With countWidth 0, as writers write it:
// the count in the marker's low bits or, past 14, as a 4-byte integer object
// that follows. Else always as an integer object of countWidth bytes (1, 2,
// 4, 8 or 16: the markers 0x10 to 0x14).
inline std::string binaryMarker(unsigned type, std::uint64_t count, int countWidth = 0)
{
    if (countWidth == 0 && count < 15)
        return std::string(1, static_cast<char>((type << 4) | count));
    const int width = countWidth == 0 ? 4 : countWidth;
    int log2 = 0;
    while ((1 << log2) < width)
        ++log2;
    std::string out(1, static_cast<char>((type << 4) | 0xF));
    out += static_cast<char>(0x10 | log2);
    bigEndian(out, count, width);
    return out;
}

// An array object holding references of refSize bytes to the given objects.
inline std::string binaryArray(const std::vector<std::uint32_t>& members, int refSize = 4,
                               int countWidth = 0)
{
    std::string out = binaryMarker(0xA, members.size(), countWidth);
    for (const std::uint32_t member : members)
        bigEndian(out, member, refSize);
    return out;
}

// An ASCII string object.
inline std::string binaryString(const std::string& text, int countWidth = 0)
{
    return binaryMarker(0x5, text.size(), countWidth) + text;
}

// `levels` arrays, each holding the next; the last one empty.
inline std::string deepBinaryList(std::uint32_t levels, int countWidth = 0, int refSize = 4,
                                  int offsetSize = 4)
{
    std::vector<std::string> objects;
    for (std::uint32_t i = 0; i + 1 < levels; ++i)
        objects.push_back(binaryArray({i + 1}, refSize, countWidth));
    objects.push_back(binaryArray({}, refSize, countWidth));
    return binaryPropertyList(objects, refSize, offsetSize);
}

// `levels` arrays, each holding the next twice: a reader that copies shared
// members would build 2^levels arrays.
inline std::string doublingBinaryList(std::uint32_t levels, int countWidth = 0, int refSize = 4)
{
    std::vector<std::string> objects;
    for (std::uint32_t i = 0; i + 1 < levels; ++i)
        objects.push_back(binaryArray({i + 1, i + 1}, refSize, countWidth));
    objects.push_back(binaryArray({}, refSize, countWidth));
    return binaryPropertyList(objects, refSize);
}

// An array referring `references` times to one string of `size` bytes.
inline std::string sharedStringList(std::size_t size, std::uint32_t references, int countWidth = 0)
{
    return binaryPropertyList(
        {binaryArray(std::vector<std::uint32_t>(references, 1), 1, countWidth),
         binaryString(std::string(size, 'a'), countWidth)},
        1);
}

// An array of `references` one-byte references to a string whose text is the
// array itself, its count written as a 16-byte integer: a file of about
// `references` bytes that a reader copying shared members would fill with
// references² bytes.
inline std::string referencesInsideTheirString(std::uint32_t references)
{
    std::string out = "bplist00";
    const std::uint64_t stringAt = out.size();
    const std::uint64_t arrayAt = stringAt + 6; // after the string's marker and 4-byte count
    const std::uint64_t table = arrayAt + 18 + references;
    out += binaryMarker(0x5, table - arrayAt, 4);
    out += binaryMarker(0xA, references, 16);
    out += std::string(references, '\x01');
    bigEndian(out, arrayAt, 4);
    bigEndian(out, stringAt, 4);
    out += std::string(6, '\0');
    out += '\x04';
    out += '\x01';
    bigEndian(out, 2, 8);
    bigEndian(out, 0, 8);
    bigEndian(out, table, 8);
    return out;
}

} // namespace liststest

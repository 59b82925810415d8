// The binary form is read by our own reader. Here it is held against the
// property-list library on lists the library reads safely (small and flat):
// lists written by the library and by Python's plistlib, every marker byte,
// every width of the trailer's fields, and text with odd UTF-16. Each list
// must be taken by both or refused by both, and read to the same strings.
#include "LibraryLists.h"
#include "ListsTestSupport.h"
#include "catalogue/SourceFiles.h"
#include "platform/lists/PropertyList.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cstdlib>
#include <optional>

using liststest::bigEndian;
using liststest::binaryArray;
using liststest::binaryMarker;
using liststest::binaryPropertyList;
using liststest::binaryString;
using liststest::libraryWritten;
using platform::StringArray;

namespace {

// What the library reads from the bytes: the strings of its root array and
// the count of the array's other elements; nothing when it refuses them.
std::optional<StringArray> libraryRead(const std::string& bytes)
{
    plist_t root = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root)
        return std::nullopt;
    std::optional<StringArray> array;
    if (plist_get_node_type(root) == PLIST_ARRAY)
        array = liststest::libraryArray(root);
    plist_free(root);
    return array;
}

// Both take the bytes and read the same, or both refuse them.
::testing::AssertionResult readAlike(const std::string& bytes)
{
    const auto ours = platform::stringArrayFromPropertyList(bytes);
    const auto theirs = libraryRead(bytes);
    if (!ours && !theirs)
        return ::testing::AssertionSuccess();
    if (ours.ok() != theirs.has_value())
        return ::testing::AssertionFailure()
               << (ours ? "taken here, refused by the library"
                        : "refused here (" + ours.error() + "), taken by the library");
    if (ours->strings != theirs->strings || ours->otherElements != theirs->otherElements)
        return ::testing::AssertionFailure() << "read differently";
    return ::testing::AssertionSuccess();
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

// A UTF-16 string object of the given units.
std::string utf16(const std::vector<std::uint16_t>& units)
{
    std::string out = binaryMarker(0x6, units.size());
    for (const std::uint16_t unit : units)
        bigEndian(out, unit, 2);
    return out;
}

} // namespace

TEST(BinaryLists, ListsWrittenByTheLibraryAndByPlistlibReadAsTheLibraryReadsThem)
{
    const std::vector<std::string> strings{"001319", "", "Dó maior <&>", "C\xF0\x9D\x84\x9E",
                                           std::string(300, 'x')};
    const std::string written = libraryWritten(strings);
    ASSERT_TRUE(readAlike(written));
    EXPECT_EQ(platform::stringArrayFromPropertyList(written)->strings, strings);
    std::vector<std::string> many;
    many.reserve(70000);
    for (int i = 0; i < 70000; ++i)
        many.push_back(std::to_string(100000 + i));
    const std::string long_ = libraryWritten(many); // references and offsets of 3 bytes
    ASSERT_TRUE(readAlike(long_));
    EXPECT_EQ(platform::stringArrayFromPropertyList(long_)->strings, many);

    // Made by plistlib.dumps(..., fmt=plistlib.FMT_BINARY), Python 3.11: a
    // repeated string is written once and referred to again; non-ASCII text
    // is UTF-16; elements of every other type are counted.
    const auto file = [](const char* name) {
        return liststest::fileBytes(sourcePath(std::string("tests/lists/data/") + name));
    };
    const std::string favourites = file("plistlib-favourites.bplist");
    ASSERT_TRUE(readAlike(favourites));
    EXPECT_EQ(platform::stringArrayFromPropertyList(favourites)->strings,
              (std::vector<std::string>{"001319", "000059", "001319", "000200", "001319"}));
    const std::string mixed = file("plistlib-mixed.bplist");
    ASSERT_TRUE(readAlike(mixed));
    const auto mixedArray = platform::stringArrayFromPropertyList(mixed);
    EXPECT_EQ(mixedArray->strings, (std::vector<std::string>{"Dó maior", "", "C\xF0\x9D\x84\x9E",
                                                             "001319", std::string(20, 'x')}));
    EXPECT_EQ(mixedArray->otherElements, 9u);
    const std::string longer = file("plistlib-long.bplist");
    ASSERT_TRUE(readAlike(longer));
    EXPECT_EQ(platform::stringArrayFromPropertyList(longer)->strings.size(), 400u);
}

// A one-member array whose member is each of the 256 markers followed by
// bytes that read as a count, as references to a string, or as the value of
// a number, a date or an identifier.
TEST(BinaryLists, EveryMarkerIsTakenOrRefusedAsTheLibraryDoes)
{
    const std::vector<std::string> tails{
        "",
        std::string(40, '\x02'),
        std::string("\x10\x02", 2) + std::string(40, '\x02'),
        std::string("\x10\x0e", 2) + std::string(40, '\x02'),
        std::string("\x14", 1) + std::string(15, '\0') + std::string(41, '\x02'),
        std::string("\x13", 1) + std::string(7, '\0') + std::string(41, '\x02'),
        std::string("\x15", 1) + std::string(31, '\0') + std::string(41, '\x02'),
        std::string("\x20\x02\x02", 3),
        std::string(40, '\0'),
        std::string(40, '\xff'),
        std::string("\x02\x01", 2),
        std::string("\x02\x00", 2),
        std::string("\x02\x03", 2),
    };
    int taken = 0;
    for (int marker = 0; marker < 256; ++marker)
        for (const std::string& tail : tails)
            for (const int refSize : {1, 2}) {
                const std::string member = std::string(1, static_cast<char>(marker)) + tail;
                const std::string bytes = binaryPropertyList(
                    {binaryArray({1}, refSize), member, binaryString("x"), binaryString("y")},
                    refSize);
                EXPECT_TRUE(readAlike(bytes)) << hex(bytes);
                taken += platform::stringArrayFromPropertyList(bytes).ok();
            }
    EXPECT_GT(taken, 1000); // both kinds of answer were asked for

    // Each value of a fixed size as the last object, ending where the offset
    // table begins (taken), or a byte short so that it takes the table's
    // first byte (refused).
    for (const std::string& value : {std::string("\x10\x07", 2), std::string("\x11\x00\x07", 3),
                                     "\x23" + std::string(8, '\x01'),
                                     "\x33" + std::string(8, '\x01'), std::string("\x80\x07", 2)}) {
        const std::string whole = binaryPropertyList({binaryArray({1}, 1), value}, 1);
        const std::string cut =
            binaryPropertyList({binaryArray({1}, 1), value.substr(0, value.size() - 1)}, 1);
        EXPECT_TRUE(readAlike(whole)) << hex(whole);
        EXPECT_TRUE(readAlike(cut)) << hex(cut);
        EXPECT_TRUE(platform::stringArrayFromPropertyList(whole)) << hex(whole);
        EXPECT_FALSE(platform::stringArrayFromPropertyList(cut)) << hex(cut);
    }
}

// The trailer's fields of every width and at their edges: offsets and
// references of 1 to 12 bytes (the library reads the last eight of a wider
// field), a table or a top object out of place, objects the table cannot
// hold, an object inside the header.
TEST(BinaryLists, EveryTrailerIsTakenOrRefusedAsTheLibraryDoes)
{
    for (int offsetSize = 1; offsetSize <= 12; ++offsetSize)
        for (int refSize = 1; refSize <= 12; ++refSize) {
            const std::string bytes = binaryPropertyList(
                {binaryArray({1, 2, 1}, refSize), binaryString("001319"), utf16({0x44, 0xF3})},
                refSize, offsetSize);
            ASSERT_TRUE(readAlike(bytes)) << offsetSize << " " << refSize;
            EXPECT_EQ(platform::stringArrayFromPropertyList(bytes)->strings,
                      (std::vector<std::string>{"001319", "D\xC3\xB3", "001319"}));
        }

    const std::string plain =
        binaryPropertyList({binaryArray({1, 2}, 1), binaryString("a"), binaryString("b")}, 1, 1);
    const std::size_t trailer = plain.size() - 32;
    const auto with = [&](std::size_t at, std::uint64_t value, int size) {
        std::string bytes = plain;
        std::string field;
        bigEndian(field, value, size);
        bytes.replace(at, static_cast<std::size_t>(size), field);
        return bytes;
    };
    const std::uint64_t table = trailer - 3;
    const std::vector<std::string> cases{
        plain,
        with(trailer + 6, 0, 1),          // no offset size
        with(trailer + 7, 0, 1),          // no reference size
        with(trailer + 8, 0, 8),          // no objects
        with(trailer + 8, 4, 8),          // more objects than the table holds
        with(trailer + 8, 2, 8),          // fewer: the second string is lost
        with(trailer + 16, 2, 8),         // the top is a string
        with(trailer + 16, 3, 8),         // no such top
        with(trailer + 24, 7, 8),         // the table inside the header
        with(trailer + 24, 8, 8),         // the table over the objects
        with(trailer + 24, trailer, 8),   // the table over the trailer
        with(trailer + 24, table - 1, 8), // the table one byte early
        with(trailer + 24, ~0ULL, 8),     // the table far away
        with(table, 0, 1),                // the top object inside "bplist00"
        with(table, 7, 1),                // the top object at the header's last byte
        with(table + 1, table, 1),        // an object at the table
        with(table + 1, trailer + 3, 1),  // an object past the table
        plain.substr(0, 39),              // too short for a trailer
        "bplist01" + plain.substr(8),     // another version
    };
    for (const std::string& bytes : cases)
        EXPECT_TRUE(readAlike(bytes)) << hex(bytes);

    // A top object at the count of objects, though the table has an entry
    // for it: an array of the one string.
    std::string topAtCount = binaryPropertyList({binaryString("a"), binaryArray({0}, 1)}, 1, 1);
    std::string counts;
    bigEndian(counts, 1, 8); // objects
    bigEndian(counts, 1, 8); // top
    topAtCount.replace(topAtCount.size() - 24, 16, counts);
    EXPECT_TRUE(readAlike(topAtCount));
    EXPECT_EQ(platform::stringArrayFromPropertyList(topAtCount).error(), "not a property list");
}

// UTF-16 text as the library converts it, lone and doubled surrogates,
// NUL units and the empty string included; ASCII text up to its first NUL.
TEST(BinaryLists, TextIsConvertedAsTheLibraryConvertsIt)
{
    const std::vector<std::vector<std::uint16_t>> texts{
        {0x41},
        {0x00, 0x41, 0x00},
        {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF},
        {0xD834, 0xDD1E},         // a pair
        {0xDBFF, 0xDFFF},         // the last code point
        {0xD834},                 // a lone lead
        {0xDD1E, 0x41},           // a lone trail
        {0xD834, 0x41, 0xDD1E},   // a character between lead and trail
        {0xD834, 0xD835, 0xDD1E}, // two leads
        {0xD834, 0xD835, 0xD836, 0xDD1E},
        {},
    };
    for (const auto& units : texts) {
        const std::string bytes = binaryPropertyList({binaryArray({1}, 1), utf16(units)}, 1);
        EXPECT_TRUE(readAlike(bytes)) << hex(bytes);
    }
    const auto a = platform::stringArrayFromPropertyList(
        binaryPropertyList({binaryArray({1}, 1), utf16({0xD834, 0x41, 0xDD1E})}, 1));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->strings, std::vector<std::string>{"A\xF0\x9D\x84\x9E"});
    // The library reads no empty UTF-16 string, and so no list holding one.
    EXPECT_EQ(platform::stringArrayFromPropertyList(
                  binaryPropertyList({binaryArray({1}, 1), utf16({})}, 1))
                  .error(),
              "not a property list");
    const std::string withNul =
        binaryPropertyList({binaryArray({1}, 1), binaryString(std::string("001319\0tail", 11))}, 1);
    EXPECT_TRUE(readAlike(withNul));
    EXPECT_EQ(platform::stringArrayFromPropertyList(withNul)->strings,
              std::vector<std::string>{"001319"});
}

// Dictionaries take strings alone as keys; any member may be shared, but no
// container may hold itself, however far down.
TEST(BinaryLists, KeysSharedMembersAndLoopsAsTheLibraryReadsThem)
{
    const std::string dict = "\xd1\x02\x03";
    const std::vector<std::string> cases{
        binaryPropertyList({binaryArray({1, 1}, 1), dict, binaryString("k"), binaryString("v")}, 1),
        binaryPropertyList({binaryArray({1}, 1), dict, utf16({0x6B}), binaryString("v")}, 1),
        binaryPropertyList({binaryArray({1}, 1), dict, "\x10\x01", binaryString("v")}, 1),
        binaryPropertyList({binaryArray({1}, 1), dict, binaryArray({}, 1), binaryString("v")}, 1),
        binaryPropertyList({binaryArray({1}, 1), dict, binaryString("k"), binaryArray({1}, 1)}, 1),
        binaryPropertyList({binaryArray({1}, 1), dict, binaryString("k"), binaryArray({0}, 1)}, 1),
        binaryPropertyList(
            {binaryArray({1, 2}, 1), binaryArray({2}, 1), binaryArray({3}, 1), binaryString("x")},
            1),
        binaryPropertyList({binaryArray({1, 2}, 1), binaryArray({2}, 1), binaryArray({1}, 1)}, 1),
        // A key shared with a value, and a key that is a dictionary's own key.
        binaryPropertyList({binaryArray({1, 2}, 1), "\xd1\x02\x02", binaryString("k")}, 1),
        binaryPropertyList({binaryArray({1}, 1), "\xd1\x01\x02", binaryString("v")}, 1),
        // The last object: its key's reference lies before the offset table,
        // its value's would be the table's first byte, 8, a string's index.
        binaryPropertyList({binaryArray({9}, 1), binaryString("k"), binaryString("a"),
                            binaryString("a"), binaryString("a"), binaryString("a"),
                            binaryString("a"), binaryString("a"), binaryString("v"), "\xd1\x01"},
                           1, 1),
    };
    for (const std::string& bytes : cases)
        EXPECT_TRUE(readAlike(bytes)) << hex(bytes);
}

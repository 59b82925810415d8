// The renamed copy of a real TrueType font: its names, the bytes it keeps,
// its checksums; and input it refuses.
#include "FontRename.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint32_t u16(const std::string& b, std::size_t at)
{
    return (std::uint32_t(std::uint8_t(b[at])) << 8) | std::uint8_t(b[at + 1]);
}
std::uint32_t u32(const std::string& b, std::size_t at)
{
    return (u16(b, at) << 16) | u16(b, at + 2);
}

std::uint32_t sum(std::string data)
{
    data.resize((data.size() + 3) / 4 * 4, '\0');
    std::uint32_t total = 0;
    for (std::size_t at = 0; at < data.size(); at += 4)
        total += u32(data, at);
    return total;
}

// A font's tables by tag, each with the checksum its directory gives.
struct Table {
    std::string data;
    std::uint32_t checksum;
};
std::map<std::string, Table> tablesOf(const std::string& font)
{
    std::map<std::string, Table> tables;
    for (std::uint32_t i = 0; i < u16(font, 4); ++i) {
        const std::size_t at = 12 + 16 * std::size_t(i);
        tables[font.substr(at, 4)] = {font.substr(u32(font, at + 8), u32(font, at + 12)),
                                      u32(font, at + 4)};
    }
    return tables;
}

// The naming table's strings as "platform/name identifier" -> text, the
// UTF-16 ones reduced to their low bytes (every name here is ASCII).
std::map<std::string, std::string> namesOf(const std::string& font)
{
    const std::string name = tablesOf(font).at("name").data;
    std::map<std::string, std::string> names;
    const std::size_t storage = u16(name, 4);
    for (std::uint32_t i = 0; i < u16(name, 2); ++i) {
        const std::size_t at = 6 + 12 * std::size_t(i);
        const std::uint32_t platform = u16(name, at);
        std::string text = name.substr(storage + u16(name, at + 10), u16(name, at + 8));
        if (platform != 1) {
            std::string narrow;
            for (std::size_t c = 1; c < text.size(); c += 2)
                narrow.push_back(text[c]);
            text = narrow;
        }
        names[std::to_string(platform) + "/" + std::to_string(u16(name, at + 6))] = text;
    }
    return names;
}

TEST(FontRename, TheCopyIsNamedAsTheFamilyAndKeepsEverythingElse)
{
    const std::string source = readFile(kDejaVuSans);
    ASSERT_FALSE(source.empty()) << kDejaVuSans;
    const fonttool::Renamed renamed = fonttool::renameFamily(source, "OpusChordsStd");
    ASSERT_EQ(renamed.error, "");

    const auto before = namesOf(source);
    const auto after = namesOf(renamed.font);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [key, text] : after) {
        const int nameId = std::stoi(key.substr(key.find('/') + 1));
        if (nameId == 1 || nameId == 3 || nameId == 4 || nameId == 6 || nameId == 16)
            EXPECT_EQ(text, "OpusChordsStd") << key;
        else
            EXPECT_EQ(text, before.at(key)) << key; // style, copyright, licence, version
    }
    EXPECT_EQ(after.at("3/2"), "Book");

    const auto sourceTables = tablesOf(source);
    const auto tables = tablesOf(renamed.font);
    ASSERT_EQ(tables.size(), sourceTables.size());
    for (const auto& [tag, table] : tables) {
        std::string data = table.data;
        if (tag == "head")
            data.replace(8, 4, 4, '\0'); // the checksum adjustment is left out of the sum
        EXPECT_EQ(sum(data), table.checksum) << tag;
        if (tag != "name" && tag != "head") {
            EXPECT_EQ(table.data, sourceTables.at(tag).data) << tag;
        }
    }
    EXPECT_EQ(sum(renamed.font), 0xB1B0AFBAu);
}

TEST(FontRename, RefusesWhatItCannotReadAndNamesItCannotWrite)
{
    const std::string source = readFile(kDejaVuSans);
    ASSERT_FALSE(source.empty());
    for (const std::string& cut : {std::string(), source.substr(0, 11), source.substr(0, 100),
                                   source.substr(0, source.size() / 2)}) {
        const fonttool::Renamed renamed = fonttool::renameFamily(cut, "OpusChordsStd");
        EXPECT_TRUE(renamed.font.empty()) << cut.size();
        EXPECT_NE(renamed.error, "") << cut.size();
    }
    for (const char* family : {"Opus Chords", "Cifrário", ""}) {
        const fonttool::Renamed renamed = fonttool::renameFamily(source, family);
        EXPECT_TRUE(renamed.font.empty()) << family;
    }
}

} // namespace

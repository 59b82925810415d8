#include "FontRename.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fonttool {
namespace {

// Naming-table name identifiers that carry the family's name.
constexpr std::uint16_t kFamily = 1, kUnique = 3, kFull = 4, kPostScript = 6,
                        kTypographicFamily = 16;
// Platforms whose names are UTF-16BE (Unicode, Windows); Macintosh names are
// single-byte.
constexpr std::uint16_t kUnicode = 0, kWindows = 3;
// head.checkSumAdjustment makes the whole file's checksum this.
constexpr std::uint32_t kFileChecksum = 0xB1B0AFBA;

std::uint32_t read16(const std::string& b, std::size_t at)
{
    return (std::uint32_t(std::uint8_t(b[at])) << 8) | std::uint8_t(b[at + 1]);
}
std::uint32_t read32(const std::string& b, std::size_t at)
{
    return (read16(b, at) << 16) | read16(b, at + 2);
}
void put16(std::string& b, std::uint32_t v)
{
    b.push_back(char((v >> 8) & 0xff));
    b.push_back(char(v & 0xff));
}
void put32(std::string& b, std::uint32_t v)
{
    put16(b, v >> 16);
    put16(b, v & 0xffff);
}
void set32(std::string& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = char((v >> (24 - 8 * i)) & 0xff);
}

// The sum of the data as big-endian 32-bit words, zero-padded.
std::uint32_t checksum(const std::string& data)
{
    std::string padded = data;
    padded.resize((padded.size() + 3) / 4 * 4, '\0');
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < padded.size(); at += 4)
        sum += read32(padded, at);
    return sum;
}

struct Table {
    std::string tag;
    std::string data;
};

bool namesFamily(std::uint32_t nameId)
{
    return nameId == kFamily || nameId == kUnique || nameId == kFull || nameId == kPostScript ||
           nameId == kTypographicFamily;
}

// The naming table with the family's names replaced; empty when the table is
// not one this tool reads (format 0).
std::string renamedNames(const std::string& name, const std::string& family, std::string& error)
{
    if (name.size() < 6 || read16(name, 0) != 0) {
        error = "naming table of an unknown format";
        return {};
    }
    const std::uint32_t count = read16(name, 2);
    const std::uint32_t storage = read16(name, 4);
    if (name.size() < 6 + 12 * std::size_t(count) || storage > name.size()) {
        error = "naming table cut short";
        return {};
    }
    std::string utf16;
    for (char c : family) {
        utf16.push_back('\0');
        utf16.push_back(c);
    }
    std::string records, strings;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 12 * std::size_t(i);
        const std::uint32_t platform = read16(name, at), nameId = read16(name, at + 6);
        const std::size_t length = read16(name, at + 8), offset = read16(name, at + 10);
        if (storage + offset + length > name.size()) {
            error = "name string outside the naming table";
            return {};
        }
        std::string text = name.substr(storage + offset, length);
        if (namesFamily(nameId))
            text = platform == kUnicode || platform == kWindows ? utf16 : family;
        records.append(name, at, 8); // platform, encoding, language, name identifiers
        put16(records, std::uint32_t(text.size()));
        put16(records, std::uint32_t(strings.size()));
        strings += text;
    }
    if (strings.size() > 0xffff) {
        error = "names too long";
        return {};
    }
    std::string table;
    put16(table, 0);
    put16(table, count);
    put16(table, 6 + 12 * count);
    return table + records + strings;
}

} // namespace

Renamed renameFamily(const std::string& font, const std::string& family)
{
    Renamed out;
    const bool printable =
        std::all_of(family.begin(), family.end(), [](char c) { return c >= 0x21 && c <= 0x7e; });
    if (family.empty() || !printable) {
        out.error = "the family name must be printable ASCII without blanks";
        return out;
    }
    if (font.size() < 12) {
        out.error = "not a font: too short";
        return out;
    }
    const std::uint32_t numTables = read16(font, 4);
    if (font.size() < 12 + 16 * std::size_t(numTables)) {
        out.error = "table directory cut short";
        return out;
    }
    std::vector<Table> tables;
    bool hasName = false, hasHead = false;
    for (std::uint32_t i = 0; i < numTables; ++i) {
        const std::size_t at = 12 + 16 * std::size_t(i);
        const std::size_t offset = read32(font, at + 8), length = read32(font, at + 12);
        if (offset > font.size() || length > font.size() - offset) {
            out.error = "table outside the file";
            return out;
        }
        Table table{font.substr(at, 4), font.substr(offset, length)};
        if (table.tag == "name") {
            table.data = renamedNames(table.data, family, out.error);
            if (table.data.empty())
                return out;
            hasName = true;
        }
        if (table.tag == "head") {
            if (table.data.size() < 12) {
                out.error = "head table cut short";
                return out;
            }
            set32(table.data, 8, 0); // checkSumAdjustment, set once the file is whole
            hasHead = true;
        }
        tables.push_back(std::move(table));
    }
    if (!hasName || !hasHead) {
        out.error = "no naming table or no head table";
        return out;
    }

    // The header as it was (version, table count, search fields), then the
    // directory in the same order, the tables 4-byte aligned behind it.
    std::string file = font.substr(0, 12);
    std::size_t offset = 12 + 16 * tables.size();
    std::size_t headAt = 0;
    for (const Table& table : tables) {
        file += table.tag;
        put32(file, checksum(table.data));
        put32(file, std::uint32_t(offset));
        put32(file, std::uint32_t(table.data.size()));
        if (table.tag == "head")
            headAt = offset;
        offset += (table.data.size() + 3) / 4 * 4;
    }
    for (const Table& table : tables) {
        file += table.data;
        file.resize((file.size() + 3) / 4 * 4, '\0');
    }
    set32(file, headAt + 8, kFileChecksum - checksum(file));
    out.font = std::move(file);
    return out;
}

} // namespace fonttool

// Opening saved lists of 100,000 identifiers in the XML and the binary form
// against a catalogue of 4,957 records; reading an XML list whose <plist>
// tag holds 100,000 attributes, or as many as fit in the 4 MiB size bound;
// reading one of that size whose string is cut by processing instructions
// or comments, with its peak resident memory; and refusing hostile binary
// lists: nested 100,000 deep, or one string referred to a million times,
// with fields written wider than writers write them.
#include "bench/support/ManyAttributes.h"
#include "favourites/SavedLists.h"
#include "platform/Log.h"
#include "platform/lists/PropertyList.h"
#include "tests/lists/BinaryListBytes.h"
#include "tests/lists/LibraryLists.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace {
constexpr std::size_t kEntries = 100000;
constexpr std::size_t kRecords = 4957;

std::vector<std::string> identifiers()
{
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < kEntries; ++i)
        ids.push_back(std::to_string(100000 + (i * 7919) % kRecords));
    return ids;
}

void openList(benchmark::State& state, bool binary)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lists-bench-XXXXXX").string();
    const std::filesystem::path data = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(data / "Documents");
    const auto ids = identifiers();
    std::ofstream(data / "Documents" / "lista", std::ios::binary)
        << (binary ? liststest::libraryWritten(ids) : *platform::propertyListXml(ids));

    auto catalogue = std::make_shared<catalogue::ChordList>();
    for (std::size_t i = 0; i < kRecords; ++i)
        catalogue->push_back(std::make_shared<catalogue::Acorde>(
            std::to_string(i), std::to_string(100000 + i), "C ", " ", "Maior", " ", "C", "DS1", " ",
            "1", "0", "2", "3", " ", " ", " "));
    const favourites::SavedLists lists{platform::Documents(data)};
    auto favourites = std::make_shared<catalogue::ChordList>();
    // The open's per-record log lines are left out of the figure.
    platform::setLogThreshold(platform::LogLevel::Warning);
    for (auto _ : state)
        benchmark::DoNotOptimize(lists.open("lista", favourites, catalogue));
    platform::setLogThreshold(platform::LogLevel::Info);
    state.counters["records"] = static_cast<double>(favourites->size());
    std::filesystem::remove_all(data);
}

void open100000Xml(benchmark::State& state)
{
    openList(state, false);
}
BENCHMARK(open100000Xml)->Unit(benchmark::kMillisecond);

void open100000Binary(benchmark::State& state)
{
    openList(state, true);
}
BENCHMARK(open100000Binary)->Unit(benchmark::kMillisecond);

// The reader on the list's bytes. Valueless or repeated attributes make the
// bytes no XML: the figure is the time to refuse them.
void readListWithAttributes(benchmark::State& state, const std::string& xml)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::stringArrayFromPropertyList(xml));
    state.counters["bytes"] = static_cast<double>(xml.size());
    state.counters["read"] = platform::stringArrayFromPropertyList(xml) ? 1 : 0;
}

const int registered = [] {
    const std::string open = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist";
    const std::string close = " version=\"1.0\"><array><string>100001</string></array></plist>\n";
    for (const bool valued : {true, false}) {
        for (const bool distinct : {true, false}) {
            const benchsupport::AttributeKind kind{valued, distinct};
            for (const auto& [size, count, bytes] :
                 {std::tuple{"100k", std::size_t{100000}, SIZE_MAX},
                  std::tuple{"4M", SIZE_MAX, platform::maxPropertyListSize}})
                benchmark::RegisterBenchmark(
                    ("readAttributes" + std::string(size) + "/" + benchsupport::kindName(kind))
                        .c_str(),
                    readListWithAttributes,
                    benchsupport::tagWithAttributes(open, kind, count, bytes, close))
                    ->Unit(benchmark::kMillisecond);
        }
    }
    return 0;
}();

// Resident memory in MB from /proc/self/status: now (VmRSS), or at its peak
// since resetPeakResident (VmHWM).
double residentMb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(field + ":"))
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

// Hands freed memory back to the system first, so that what earlier runs
// left in the heap counts neither now nor at the peak.
void resetPeakResident()
{
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// An XML list of the size bound whose one string is the piece repeated: text
// between processing instructions or comments. peak_MB is the process's
// peak resident memory while reading, growth_MB its rise over the start.
void readFilledList(benchmark::State& state, const std::string& piece)
{
    const std::string open = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<plist version=\"1.0\"><array><string>";
    const std::string close = "</string></array></plist>\n";
    std::string xml = open;
    xml.reserve(platform::maxPropertyListSize);
    std::size_t pieces = 0;
    for (; xml.size() + piece.size() + close.size() <= platform::maxPropertyListSize; ++pieces)
        xml += piece;
    xml += close;
    resetPeakResident();
    const double before = residentMb("VmRSS");
    std::size_t read = 0;
    for (auto _ : state) {
        const auto list = platform::stringArrayFromPropertyList(xml);
        read = list && list->strings.size() == 1 ? list->strings[0].size() : 0;
    }
    const double peak = residentMb("VmHWM");
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["string_bytes"] = static_cast<double>(read);
    state.counters["peak_MB"] = peak;
    state.counters["growth_MB"] = peak - before;
}
BENCHMARK_CAPTURE(readFilledList, instructions, std::string("<?p?>a"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readFilledList, comments, std::string("<!---->a"))->Unit(benchmark::kMillisecond);

// The reader alone on the bytes in memory, then the whole open of the file
// (its read, the reader, the log line); each must refuse the list.
void refuse(benchmark::State& state, const std::string& bytes)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lists-bench-XXXXXX").string();
    const std::filesystem::path data = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(data / "Documents");
    std::ofstream(data / "Documents" / "hostil", std::ios::binary) << bytes;
    const favourites::SavedLists lists{platform::Documents(data)};
    auto favourites = std::make_shared<catalogue::ChordList>();
    auto catalogue = std::make_shared<catalogue::ChordList>();
    const bool throughOpen = state.range(0) == 1;
    // Taken through an open: read as a list, whether or not its entries name
    // chords of the empty catalogue.
    const auto readByOpen = [&] {
        const auto opened = lists.open("hostil", favourites, catalogue);
        using Refusal = favourites::SavedLists::OpenResult::Refusal;
        return opened || opened.refusal == Refusal::NoIdentifier ||
               opened.refusal == Refusal::NoCatalogueChord;
    };
    platform::setLogThreshold(platform::LogLevel::Error);
    for (auto _ : state) {
        const bool taken =
            throughOpen ? readByOpen() : platform::stringArrayFromPropertyList(bytes).ok();
        if (taken)
            state.SkipWithError("a hostile list was taken");
    }
    platform::setLogThreshold(platform::LogLevel::Info);
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    std::filesystem::remove_all(data);
}

// 100,000 arrays each holding the next, every count a 16-byte integer.
void refuseDeep16ByteCounts(benchmark::State& state)
{
    static const std::string bytes = liststest::deepBinaryList(100000, 16);
    refuse(state, bytes);
}
BENCHMARK(refuseDeep16ByteCounts)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same with offsets and references of 9 bytes.
void refuseDeep9ByteFields(benchmark::State& state)
{
    static const std::string bytes = liststest::deepBinaryList(100000, 0, 9, 9);
    refuse(state, bytes);
}
BENCHMARK(refuseDeep9ByteFields)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A million references to a 3,000,000-byte string, counts of 16 bytes.
void refuseMillionReferences(benchmark::State& state)
{
    static const std::string bytes = liststest::sharedStringList(3000000, 1000000, 16);
    refuse(state, bytes);
}
BENCHMARK(refuseMillionReferences)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A million references to the string whose text holds them: a 1 MB file.
void refuseReferencesInsideTheirString(benchmark::State& state)
{
    static const std::string bytes = liststest::referencesInsideTheirString(1000000);
    refuse(state, bytes);
}
BENCHMARK(refuseReferencesInsideTheirString)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();

// Opening saved lists of 100,000 identifiers in the XML and the binary form
// against a catalogue of 4,957 records; and reading an XML list whose <plist>
// tag holds 100,000 attributes, or as many as fit in the 4 MiB size bound.
#include "bench/support/ManyAttributes.h"
#include "favourites/SavedLists.h"
#include "platform/Log.h"
#include "platform/PropertyList.h"

#include <benchmark/benchmark.h>
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

std::string binaryForm(const std::vector<std::string>& ids)
{
    plist_t array = plist_new_array();
    for (const std::string& id : ids)
        plist_array_append_item(array, plist_new_string(id.c_str()));
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(array, &bytes, &length);
    std::string result(bytes, length);
    plist_to_bin_free(bytes);
    plist_free(array);
    return result;
}

void openList(benchmark::State& state, bool binary)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lists-bench-XXXXXX").string();
    const std::filesystem::path data = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(data / "Documents");
    const auto ids = identifiers();
    std::ofstream(data / "Documents" / "lista", std::ios::binary)
        << (binary ? binaryForm(ids) : *platform::propertyListXml(ids));

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
} // namespace

BENCHMARK_MAIN();

// "Abrir página" on pages of one character, for a character of every pair
// of script and general category in the Basic Multilingual Plane (the first
// one Qt's tables give for the pair): 500 KB of the character alone and of
// the character under an acute accent (U+0301), each inside <p> and as bare
// text, each up to the main screen idle again. Prints the ten pages slowest
// to go idle, with the longest single pass of the event loop (the longest a
// key press waits), and the slowest of all.
//
//   import_sweep_bench [--jobs N] [--only TEXT]
//
// The pages are shared among N processes of this program (by default one per
// processor, or CMAKE_BUILD_PARALLEL_LEVEL when it is set), each with a main
// screen of its own. With --only, just the pages whose name holds TEXT
// ("U+0430", say).
#include "ImportScreen.h"
#include "bench/support/RepeatedPage.h"

#include <QApplication>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// QChar::Category, in the enum's order.
constexpr std::array<const char*, 30> kCategories = {
    "Mn", "Mc", "Me", "Nd", "Nl", "No", "Zs", "Zl", "Zp", "Cc", "Cf", "Cs", "Co", "Cn", "Lu",
    "Ll", "Lt", "Lm", "Lo", "Pc", "Pd", "Ps", "Pe", "Pi", "Pf", "Po", "Sm", "Sc", "Sk", "So"};
static_assert(QChar::Symbol_Other == kCategories.size() - 1);

struct Page {
    std::string name;
    std::string bytes;
};

std::string utf8(char16_t c)
{
    return QString(QChar(c)).toStdString();
}

// Every page of the sweep, in one order for every process.
std::vector<Page> sweepPages()
{
    std::map<std::pair<int, int>, char16_t> first; // (script, category): character
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue; // surrogates are no characters of their own
        const QChar q{char16_t(c)};
        first.emplace(std::pair{int(q.script()), int(q.category())}, char16_t(c));
    }
    std::vector<Page> pages;
    for (const auto& [kind, c] : first) {
        char code[64];
        std::snprintf(code, sizeof code, "U+%04X %s script %d", unsigned(c),
                      kCategories[std::size_t(kind.second)], kind.first);
        for (const bool accented : {false, true}) {
            const std::string piece = utf8(c) + (accented ? "\u0301" : "");
            const std::string text = benchsupport::pageOf(piece, 500 * 1000);
            const std::string name = std::string(code) + (accented ? " +U+0301" : "");
            pages.push_back({name + " <p>", "<p>" + text});
            pages.push_back({name + " text", text});
        }
    }
    return pages;
}

// Opens every page whose index is `shard` modulo `shards`; prints a line for
// each: seconds to idle, longest pass, whether it went idle, name.
int runShard(int shard, int shards, const QString& only)
{
    importbench::ImportScreen screen;
    std::vector<Page> pages = sweepPages();
    std::erase_if(
        pages, [&](const Page& page) { return !QString::fromStdString(page.name).contains(only); });
    for (std::size_t i = std::size_t(shard); i < pages.size(); i += std::size_t(shards)) {
        screen.typePage(pages[i].bytes);
        const untilidle::Passes passes = screen.click("buttonAbrirCifra");
        std::printf("%.4f\t%.4f\t%d\t%s\n", passes.seconds, passes.longestSeconds,
                    passes.idle ? 1 : 0, pages[i].name.c_str());
        std::fflush(stdout);
    }
    return 0;
}

struct Result {
    double seconds = 0;
    double longest = 0;
    bool idle = false;
    std::string name;
};

int runSweep(const QString& program, int jobs, const QString& only)
{
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int shard = 0; shard < jobs; ++shard) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, {"--shard", QString::number(shard), QString::number(jobs), only});
        processes.push_back(std::move(process));
    }
    std::vector<Result> results;
    bool failed = false;
    for (auto& process : processes) {
        process->waitForFinished(-1);
        failed |= process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0;
        for (const QByteArray& line : process->readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() == 4)
                results.push_back({fields[0].toDouble(), fields[1].toDouble(), fields[2] == "1",
                                   fields[3].toStdString()});
        }
    }
    std::sort(results.begin(), results.end(),
              [](const Result& a, const Result& b) { return a.seconds > b.seconds; });
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu pages of 500 KB, %d processes, %.0f s\n", results.size(), jobs, wall);
    std::printf("%10s %12s  %s\n", "until idle", "longest pass", "page");
    for (std::size_t i = 0; i < std::min<std::size_t>(10, results.size()); ++i)
        std::printf("%8.0f ms %9.0f ms  %s%s\n", results[i].seconds * 1000,
                    results[i].longest * 1000, results[i].name.c_str(),
                    results[i].idle ? "" : " (not idle within a minute)");
    const auto longest =
        std::max_element(results.begin(), results.end(),
                         [](const Result& a, const Result& b) { return a.longest < b.longest; });
    if (longest != results.end())
        std::printf("longest pass of all: %.0f ms (%s)\n", longest->longest * 1000,
                    longest->name.c_str());
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == "--shard")
        return runShard(arguments[2].toInt(), arguments[3].toInt(), arguments[4]);
    int jobs = qEnvironmentVariableIntValue("CMAKE_BUILD_PARALLEL_LEVEL");
    QString only;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == "--jobs")
            jobs = arguments[i + 1].toInt();
        else if (arguments[i] == "--only")
            only = arguments[i + 1];
    }
    if (jobs <= 0)
        jobs = QThread::idealThreadCount();
    return runSweep(QCoreApplication::applicationFilePath(), jobs, only);
}

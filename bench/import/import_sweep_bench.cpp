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
// The pages are shared among N processes of this program, each with a main
// screen of its own (Sweep.h). With --only, just the pages whose name holds
// TEXT ("U+0430", say).
#include "Sweep.h"
#include "bench/support/RepeatedPage.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <array>
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

std::string utf8(char16_t c)
{
    return QString(QChar(c)).toStdString();
}

// Every page of the sweep, in one order for every process.
std::vector<sweep::Page> sweepPages()
{
    std::map<std::pair<int, int>, char16_t> first; // (script, category): character
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue; // surrogates are no characters of their own
        const QChar q{char16_t(c)};
        first.emplace(std::pair{int(q.script()), int(q.category())}, char16_t(c));
    }
    std::vector<sweep::Page> pages;
    for (const auto& [kind, c] : first) {
        char code[64];
        std::snprintf(code, sizeof code, "U+%04X %s script %d", unsigned(c),
                      kCategories[std::size_t(kind.second)], kind.first);
        for (const bool accented : {false, true}) {
            const std::string piece = utf8(c) + (accented ? "\u0301" : "");
            const std::string name = std::string(code) + (accented ? " +U+0301" : "");
            const auto text = [piece] { return benchsupport::pageOf(piece, 500 * 1000); };
            pages.push_back({name + " <p>", [text] { return "<p>" + text(); }});
            pages.push_back({name + " text", text});
        }
    }
    return pages;
}

void report(const sweep::Sweep& sweep)
{
    std::printf("%zu pages of 500 KB, %d processes, %.0f s\n", sweep.results.size(),
                sweep.processes, sweep.wallSeconds);
    sweep::printSlowest(sweep.results, "slowest to go idle:", [](const sweep::Result& r) {
        return r.passes.seconds;
    });
    const auto longest =
        std::max_element(sweep.results.begin(), sweep.results.end(),
                         [](const sweep::Result& a, const sweep::Result& b) {
                             return a.passes.longestSeconds < b.passes.longestSeconds;
                         });
    if (longest != sweep.results.end())
        std::printf("longest pass of all: %.0f ms (%s)\n", longest->passes.longestSeconds * 1000,
                    longest->name.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    return sweep::run(argc, argv, sweepPages, {}, report);
}

// The import pane's two clicks on hostile pages, each up to the main screen
// idle again, its event loop run as the window runs it until nothing is left
// to do (the text boxes lay long documents out in pieces on a timer):
// "Abrir" (the page fetched from a file address, shown in the page view and
// the source box) and "Ler cifras" (the names read, the text box filled).
// The longest single pass of the event loop, the longest a key press waits,
// is the counter "longestPass". The pages are the ones that froze the
// screen: tags whose quotes hide an image, deep nesting, unclosed table
// cells, long unbroken lines, 5 MiB of bold chord names, long lists, many line
// breaks or line separators, runs of combining marks, text changing
// direction at every letter, characters slow to lay out wherever they stand,
// inline formats one after another, and one tag of 100,000 attributes or of
// as many as fit in the 5 MiB fetch bound. (import_sweep_bench goes through
// a character of every script and kind.)
#include "ImportScreen.h"
#include "bench/support/ManyAttributes.h"
#include "bench/support/RepeatedPage.h"
#include "platform/PageView.h"
#include "platform/TextView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace {
using benchsupport::pageOf;

// One screen for every benchmark, never destroyed: it must not outlive the
// application object, which main() destroys before the statics go.
importbench::ImportScreen& screen()
{
    static auto* shared = new importbench::ImportScreen;
    return *shared;
}

// Clicks the button, counts the click's longest pass, and the time the page
// view and the source box took to show the page by their budget's measure,
// and fails a click that never ends.
void click(benchmark::State& state, const char* button)
{
    const untilidle::Passes passes = screen().click(button);
    const auto most = [&](const char* counter, double seconds) {
        state.counters[counter] = std::max(state.counters[counter].value, seconds);
    };
    most("longestPass", passes.longestSeconds);
    const auto seconds = [](std::chrono::nanoseconds spent) {
        return std::chrono::duration<double>(spent).count();
    };
    finder::FirstViewController& controller = screen().controller();
    most("budgetPage",
         seconds(controller.outlet<platform::PageView>("WebViewCifra")->lastShown().spent));
    most("budgetSource",
         seconds(controller.outlet<platform::TextView>("textHTML")->lastShown().spent));
    if (!passes.idle)
        state.SkipWithError("not idle within a minute");
}

void openPage(benchmark::State& state, const std::string& page)
{
    screen().typePage(page);
    for (auto _ : state)
        click(state, "buttonAbrirCifra");
}

void readNames(benchmark::State& state, const std::string& page)
{
    screen().typePage(page);
    click(state, "buttonAbrirCifra");
    state.counters.clear();
    for (auto _ : state) {
        click(state, "buttonLerCifras");
        state.PauseTiming();
        screen().controller().ClearFavorites();
        state.ResumeTiming();
    }
}

const std::string kHidden = "/etc/passwd";

void registerPage(const std::string& name, const std::string& page)
{
    benchmark::RegisterBenchmark(("open/" + name).c_str(), openPage, page)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("read/" + name).c_str(), readNames, page)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

const int registered = [] {
    registerPage("quoteInValue", "<p title=a\"><img src=\"" + kHidden + "\">\">");
    registerPage("quoteInName", "<b'><img src=\"" + kHidden + "\">");
    registerPage("quoteInVoid", "<br a=b\"><img src=\"" + kHidden + "\">\">");
    registerPage("nestedBold100k", pageOf("<b>", 300000) + "fim");
    registerPage("smuggledBold100k", pageOf("<b'>", 400000) + "fim");
    registerPage("unclosedCells20k", pageOf("<td>", 80000) + "fim");
    registerPage("line64k", std::string(64 * 1024, 'a'));
    registerPage("line256k", std::string(256 * 1024, 'a'));
    registerPage("line5M", std::string(5 * 1024 * 1024, 'a'));
    registerPage("boldAm5M", pageOf("<b>Am</b>", 5 * 1024 * 1024));
    // Bold and plain letters one after another, one word of format changes.
    registerPage("boldLetters5M", pageOf("<b>a</b>b", 5 * 1024 * 1024));
    // The parser's worst case within its depth bound: each stray closing tag
    // makes it look through every element it holds open.
    registerPage("strayClosings5M",
                 pageOf("<b>", 3 * 120) + pageOf("</i>", 5 * 1024 * 1024 - 3 * 120));
    // One long list, as many lists one after another or one inside another
    // and as many line breaks as the element bound holds, and runs of
    // combining marks on one letter.
    for (const int items : {5000, 10000, 20000, 99000})
        registerPage("listItems/" + std::to_string(items), "<ul>" + pageOf("<li>x", 5 * items));
    registerPage("lists49k", pageOf("<ul><li>x</ul>", 14 * 49000));
    registerPage("nestedLists99k", pageOf("<ul><li>x<ol><li>y</ol></ul>", 28 * 24000));
    registerPage("lineBreaks99k", pageOf("x<br>", 5 * 99000));
    registerPage("lineSeparators5M", pageOf("x\u2028", 5 * 1024 * 1024));
    registerPage("acuteMarks5M", "a" + pageOf("\u0301", 5 * 1024 * 1024 - 1));
    registerPage("mixedMarks5M", "a" + pageOf("\u0301\u0323\u064B", 5 * 1024 * 1024 - 1));
    // Text that changes writing direction at every letter, without white
    // space and with it.
    registerPage("directionChanges5M", pageOf("\u05D0a", 5 * 1024 * 1024));
    registerPage("spacedDirectionChanges5M/arabic", pageOf("\u0627b ", 5 * 1024 * 1024));
    registerPage("spacedDirectionChanges5M/hebrew", pageOf("\u05D0 a ", 5 * 1024 * 1024));
    // Lines the layout cannot finish in one go: newlines in <pre>, past and
    // below the height where the text layout breaks down, and short lines in
    // <pre> and as the text of a page cut at the text bound.
    for (const int newlines : {480000, 500000})
        registerPage("preNewlines/" + std::to_string(newlines),
                     "<pre>" + std::string(newlines, '\n'));
    registerPage("preShortLines500k", "<pre>" + pageOf("x\n", 500 * 1000));
    registerPage("shortLines5M", pageOf("x\n", 5 * 1024 * 1024));
    // Runs of marks split by invisible characters that start no new letter.
    const std::string acutes = pageOf("\u0301", 2 * 30);
    const std::string tanweens = pageOf("\u064B", 2 * 30);
    registerPage("marksSoftHyphen500k", "<p>a" + pageOf(acutes + "\u00AD", 500 * 1000));
    registerPage("arabicMarksZwnj500k", "<p>\u0628" + pageOf(tanweens + "\u200C", 500 * 1000));
    registerPage("arabicMarksZwnj5M", "\u0628" + pageOf(tanweens + "\u200C", 5 * 1024 * 1024 - 2));
    // Digits and the white space between them after right-to-left text.
    registerPage("hebrewSpacedDigits5M", "<pre>\u05D0" + pageOf(" 1", 5 * 1024 * 1024 - 7));
    registerPage("hebrewTabbedDigits5M", "<pre>\u05D0" + pageOf("\t1", 5 * 1024 * 1024 - 7));
    // Latin and Greek letters one after another: a change of script at each.
    registerPage("latinGreek5M", pageOf("a\u03B1", 5 * 1024 * 1024));
    // Characters the layout takes long over wherever they stand: a Hangul
    // filler under an acute accent, and an accent on other letters a font
    // may lack.
    registerPage("hangulFillerMarks500k", "<p>" + pageOf("\u0301\u3164", 500 * 1000));
    const std::pair<const char*, const char*> accented[] = {
        {"FFFD", "\uFFFD"}, {"2800", "\u2800"}, {"1160", "\u1160"}, {"115F", "\u115F"},
        {"E000", "\uE000"}, {"FDD2", "\uFDD2"}, {"00A0", "\u00A0"}};
    for (const auto& [code, letter] : accented)
        registerPage(std::string("accented500k/U+") + code,
                     "<p>a" + pageOf(std::string("\u0301") + letter, 500 * 1000));
    // Inline formats one after another, and one preformatted block of lines
    // split by line separators.
    for (const char* tag : {"b", "i", "big", "code", "sub", "sup"})
        registerPage(std::string("formats99k/") + tag,
                     pageOf(std::string("a<") + tag + ">b</" + tag + ">",
                            99000 * (7 + 2 * std::string(tag).size())));
    registerPage("preLineSeparators125k", "<pre>" + pageOf("x\u2028", 125000 * 4));
    // Parser events that add no text: elements opened one after another, and
    // unknown entity references in an element left out; the last two after
    // a script of Thai and Latin text (which the source box shows) and
    // before a paragraph, or a preformatted block of lines ended by lone
    // carriage returns, of that text.
    registerPage("openedElements5M", pageOf("<a>", 5 * 1024 * 1024));
    registerPage("unknownEntitiesInTitle5M",
                 "<title>" + pageOf("&a;", 5 * 1024 * 1024 - 15) + "</title>");
    const std::string thaiLatin = "\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35 latin ";
    const std::string script = "<script>" + pageOf(thaiLatin, 64 * 1024) + "</script>";
    const std::string entities = "<title>" + pageOf("&a;", 4 * 1024 * 1024) + "</title>";
    registerPage("entitiesThenParagraph5M",
                 script + entities + "<p>" +
                     pageOf(thaiLatin, 5 * 1024 * 1024 - 4 * 1024 * 1024 - 70 * 1024));
    registerPage(
        "entitiesThenLoneReturns5M",
        script + entities + "<pre>" +
            pageOf(pageOf(thaiLatin, 900) + "\r", 5 * 1024 * 1024 - 4 * 1024 * 1024 - 70 * 1024));
    // One tag of many attributes, valued or not, distinct or repeated.
    for (const bool valued : {true, false}) {
        for (const bool distinct : {true, false}) {
            const benchsupport::AttributeKind kind{valued, distinct};
            const std::string close = "><b>Am</b> fim</p>";
            registerPage("attributes100k/" + benchsupport::kindName(kind),
                         benchsupport::tagWithAttributes("<p", kind, 100000, SIZE_MAX, close));
            registerPage(
                "attributes5M/" + benchsupport::kindName(kind),
                benchsupport::tagWithAttributes("<p", kind, SIZE_MAX, 5 * 1024 * 1024, close));
        }
    }
    return 0;
}();

} // namespace

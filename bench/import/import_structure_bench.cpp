// "Abrir página" on pages of one structure repeated, for every element name
// libxml2's HTML parser knows: 5 MB of the tag opened again and again, of
// the tag opened and closed, of unknown entity references inside it, of long
// lines parted by CR, CR LF and U+2029 inside it, of text after its end tag,
// and of two blanks and a bold run after its end tag, each up to the main
// screen idle again. Prints the ten pages with the longest single pass of
// the event loop (the longest a key press waits) and the ten slowest to go
// idle, the longest block (in characters, line separators counted) that each
// structure left in the page view or the source box, and every page not idle
// within a minute.
//
//   import_structure_bench [--jobs N] [--only TEXT]
//
// The pages are shared among N processes of this program, each with a main
// screen of its own (Sweep.h). With --only, just the pages whose name holds
// TEXT ("pre ", "entities", say).
#include "Sweep.h"
#include "bench/support/RepeatedPage.h"
#include "tests/fetch/PageTestSupport.h"

#include <QTextEdit>

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kPageBytes = 5 * 1000 * 1000;

// The element names of libxml2's HTML element table (2.9.14).
constexpr std::array<const char*, 92> kElements = {
    "a",        "abbr",    "acronym",  "address",    "applet",   "area",   "b",        "base",
    "basefont", "bdo",     "big",      "blockquote", "body",     "br",     "button",   "caption",
    "center",   "cite",    "code",     "col",        "colgroup", "dd",     "del",      "dfn",
    "dir",      "div",     "dl",       "dt",         "em",       "embed",  "fieldset", "font",
    "form",     "frame",   "frameset", "h1",         "h2",       "h3",     "h4",       "h5",
    "h6",       "head",    "hr",       "html",       "i",        "iframe", "img",      "input",
    "ins",      "isindex", "kbd",      "label",      "legend",   "li",     "link",     "map",
    "menu",     "meta",    "noframes", "noscript",   "object",   "ol",     "optgroup", "option",
    "p",        "param",   "pre",      "q",          "s",        "samp",   "script",   "select",
    "small",    "span",    "strike",   "strong",     "style",    "sub",    "sup",      "table",
    "tbody",    "td",      "textarea", "tfoot",      "th",       "thead",  "title",    "tr",
    "tt",       "u",       "ul",       "var"};

// A structure of pages: its name, and its page for an element.
struct Pattern {
    const char* name;
    std::function<std::string(const std::string& open, const std::string& close)> page;
};

// `piece` repeated inside one element, the page within its size.
std::string inside(const std::string& open, const std::string& piece, const std::string& close)
{
    return open + benchsupport::pageOf(piece, kPageBytes - open.size() - close.size()) + close;
}

const std::array<Pattern, 6>& patterns()
{
    static const std::array<Pattern, 6> all = {{
        {"opened", [](const std::string& open,
                      const std::string&) { return benchsupport::pageOf(open, kPageBytes); }},
        {"opened and closed",
         [](const std::string& open, const std::string& close) {
             return benchsupport::pageOf(open + close, kPageBytes);
         }},
        {"unknown entities", [](const std::string& open,
                                const std::string& close) { return inside(open, "&a;", close); }},
        {"CR, CR LF, U+2029",
         [](const std::string& open, const std::string& close) {
             return inside(open,
                           std::string(900, 'x') + "\r" + std::string(900, 'y') + "\r\n" +
                               std::string(900, 'z') + "\u2029",
                           close);
         }},
        {"text after end tag",
         [](const std::string& open, const std::string& close) {
             return benchsupport::pageOf(
                 open + std::string(900, 'x') + close + std::string(999, 'y'), kPageBytes);
         }},
        {"blanks and <b> after end tag",
         [](const std::string& open, const std::string& close) {
             return benchsupport::pageOf(open + std::string(110, 'a') + close + "  <b>" +
                                             pagetest::repeated("abc ", 225) + "</b>",
                                         kPageBytes);
         }},
    }};
    return all;
}

std::string pageName(const char* element, const Pattern& pattern)
{
    return std::string("<") + element + "> " + pattern.name;
}

// Every page of the sweep, in one order for every process.
std::vector<sweep::Page> structurePages()
{
    std::vector<sweep::Page> pages;
    for (const char* element : kElements)
        for (const Pattern& pattern : patterns()) {
            const std::string name = element;
            pages.push_back({pageName(element, pattern), [name, &pattern] {
                                 return pattern.page("<" + name + ">", "</" + name + ">");
                             }});
        }
    return pages;
}

// Fails unless libxml2 knows every name of the list as an element.
bool elementsKnown()
{
    bool known = true;
    for (const char* element : kElements)
        if (htmlTagLookup(reinterpret_cast<const xmlChar*>(element)) == nullptr) {
            std::fprintf(stderr, "libxml2 knows no element <%s>\n", element);
            known = false;
        }
    return known;
}

// The longest block of the page view and of the source box.
std::vector<std::size_t> longestBlocks(importbench::ImportScreen& screen)
{
    std::vector<std::size_t> blocks;
    for (const char* box : {"WebViewCifra", "textHTML"})
        blocks.push_back(pagetest::shapeOf(*screen.controller().outlet<QTextEdit>(box)->document())
                             .longestBlock);
    return blocks;
}

void report(const sweep::Sweep& sweep)
{
    const std::vector<sweep::Result>& results = sweep.results;
    std::printf("%zu pages of 5 MB, %d processes, %.0f s\n", results.size(), sweep.processes,
                sweep.wallSeconds);
    sweep::printSlowest(
        results, "longest passes:", [](const sweep::Result& r) { return r.passes.longestSeconds; });
    sweep::printSlowest(
        results, "slowest to go idle:", [](const sweep::Result& r) { return r.passes.seconds; });
    // The longest block either box held, for the pages of each structure.
    const auto block = [](const sweep::Result& r) {
        return r.figures.size() == 2 ? std::max(r.figures[0], r.figures[1]) : 0;
    };
    std::map<std::string, std::size_t> patternOf;
    for (const char* element : kElements)
        for (std::size_t p = 0; p < patterns().size(); ++p)
            patternOf[pageName(element, patterns()[p])] = p;
    std::array<const sweep::Result*, 6> longest{};
    for (const sweep::Result& result : results) {
        const sweep::Result*& most = longest.at(patternOf.at(result.name));
        if (most == nullptr || block(result) > block(*most))
            most = &result;
    }
    std::printf("longest block of each structure (page view, source box), in characters:\n");
    for (std::size_t p = 0; p < patterns().size(); ++p)
        if (longest[p] != nullptr)
            std::printf("%-30s %9zu (%zu, %zu)  %s\n", patterns()[p].name, block(*longest[p]),
                        longest[p]->figures[0], longest[p]->figures[1], longest[p]->name.c_str());
    for (const sweep::Result& result : results)
        if (!result.passes.idle)
            std::printf("not idle within a minute: %s\n", result.name.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (!elementsKnown())
        return 1;
    return sweep::run(argc, argv, structurePages, longestBlocks, report);
}

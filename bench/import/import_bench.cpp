// The import pane's two clicks on hostile pages, each up to the main screen
// painted again: "Abrir" (the page fetched from a file address, shown in the
// page view and the source box) and "Ler cifras" (the names read, the text
// box filled). The pages are the ones that froze the screen: tags whose
// quotes hide an image, deep nesting, unclosed table cells, long unbroken
// lines, 5 MiB of bold chord names, long lists, many line breaks or line
// separators, runs of combining marks, text changing direction at every
// letter, and one tag of 100,000 attributes or of as many as fit in the 5 MiB
// fetch bound.
#include "bench/support/ManyAttributes.h"
#include "bench/support/RepeatedPage.h"
#include "finder/FirstViewController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {
using benchsupport::pageOf;

struct Screen {
    std::shared_ptr<finder::FirstViewController> controller =
        std::make_shared<finder::FirstViewController>();
    Screen()
    {
        controller->view()->show();
        QCoreApplication::processEvents();
    }
    void click(const char* button)
    {
        controller->outlet<QAbstractButton>(button)->click();
        benchmark::DoNotOptimize(controller->view()->grab());
    }
};

// One screen for every benchmark, never destroyed: it must not outlive the
// application object, which main() destroys before the statics go.
Screen& screen()
{
    static auto* shared = new Screen;
    return *shared;
}

// The page written to a file, and its address typed into the pane.
void typePage(const std::string& page)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(page.data(), static_cast<qint64>(page.size())) !=
            static_cast<qint64>(page.size()))
        std::abort();
    file.close();
    screen()
        .controller->outlet<QLineEdit>("LinkCifra")
        ->setText(QUrl::fromLocalFile(path).toString());
}

void openPage(benchmark::State& state, const std::string& page)
{
    typePage(page);
    for (auto _ : state)
        screen().click("buttonAbrirCifra");
}

void readNames(benchmark::State& state, const std::string& page)
{
    typePage(page);
    screen().click("buttonAbrirCifra");
    for (auto _ : state) {
        screen().click("buttonLerCifras");
        state.PauseTiming();
        screen().controller->ClearFavorites();
        state.ResumeTiming();
    }
}

const std::string kHidden = "/etc/passwd";

void registerPage(const std::string& name, const std::string& page)
{
    benchmark::RegisterBenchmark(("open/" + name).c_str(), openPage, page)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("read/" + name).c_str(), readNames, page)
        ->Unit(benchmark::kMillisecond);
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

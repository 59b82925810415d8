#pragma once
// The main screen's import pane: the page the user names is fetched and shown,
// and its source text kept; its bold chord names are then read into the
// finder's favourites. While a fetch runs the whole screen takes no input, so
// nothing starts a second fetch or re-enters the screen, and is greyed with an
// activity indicator turning over it; afterwards the control that had the
// keyboard focus has it again. The fetched page is then read (decoded,
// parsed and written as the page view's markup) off the main thread, while
// the screen takes input as usual, and shown when read: the page view in one
// pass of the event loop, the source box in the next.
#include "platform/LatestWork.h"
#include "platform/LayoutBudget.h"
#include "platform/page/PageFetch.h"
#include "platform/page/PageMarkup.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <stop_token>
#include <string>

class QLabel;
class QLineEdit;

namespace platform {
class ActivityIndicator;
class PageView;
class TextView;
} // namespace platform

namespace finder {

class ChordFinder;

// What the reading of a fetched page gives the pane.
struct ReadPage {
    std::string text;    // decoded, for the source box and the name scan
    std::string problem; // why the bytes are neither UTF-8 nor UTF-16; empty if read
    // (the rest empty then)
    platform::ShownPage page; // the page view's markup or text
    std::string sourceShown;  // what the source box shows of the text
};

// Reads the page's bytes as the pane shows them; stops soon once stop is
// requested, its answer then of no use. Any thread.
ReadPage readPage(const std::string& bytes, const std::stop_token& stop);

class ImportPane : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QLineEdit* address;            // LinkCifra
        platform::PageView* page;      // WebViewCifra
        platform::TextView* source;    // textHTML: keeps the page whole
        platform::TextView* plainText; // textPlain
        QWidget* screen;               // frozen while a fetch runs
        QLabel* message;               // why the last fetch gave no page; empty otherwise
    };
    using Reader = std::function<ReadPage(const std::string& bytes, const std::stop_token& stop)>;

    // The layout budget is the text boxes' (see setWidgets).
    explicit ImportPane(std::unique_ptr<platform::PageFetcher> fetcher,
                        platform::LayoutBudget layoutBudget = {});
    ~ImportPane() override;

    // The widgets the pane works; any may go before the pane. The text boxes
    // take the pane's layout budget.
    void setWidgets(const Widgets& widgets);

    // Fetches the address, then reads the page off the main thread and shows
    // it and its source; a failed fetch, or a page neither UTF-8 nor UTF-16,
    // shows nothing, logs why and says it in one short line beside the
    // address. A page still being read is superseded.
    void abrirCifra();
    // Appends the source's bold chord names to the finder's favourites and
    // shows the source trimmed. Clears the line of a failed fetch. While a
    // page is being read, this waits for it to be shown.
    void lerCifras(ChordFinder& finder);

    // Whether a fetched page is being read, not yet shown.
    bool reading() const { return reading_; }
    // What reads the fetched pages (readPage unless a test says otherwise).
    void setReader(Reader reader) { reader_ = std::move(reader); }

signals:
    // The page asked for last is shown, or its failure said.
    void pageShown();

private:
    void showFetching(bool fetching);
    // Shows what was read, or the failure line: the page view now, the
    // source box in a pass of its own.
    void showRead(ReadPage read, const QString& failure);

    QPointer<QLineEdit> address_;
    QPointer<platform::PageView> page_;
    QPointer<platform::TextView> source_;
    QPointer<platform::TextView> plainText_;
    QPointer<QWidget> screen_;
    QPointer<QLabel> message_;
    QPointer<platform::ActivityIndicator> indicator_; // made at the first fetch
    QPointer<QWidget> focusBeforeFetch_;              // the control with the focus
    std::unique_ptr<platform::PageFetcher> fetcher_;
    platform::LayoutBudget layoutBudget_;
    Reader reader_ = readPage;
    bool fetching_ = false;
    bool reading_ = false;
    ChordFinder* scanWhenShown_ = nullptr; // names asked for while the page was read
    platform::LatestWork work_;            // the reading; last, so it goes first
};

} // namespace finder

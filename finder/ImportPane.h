#pragma once
// The main screen's import pane: the page the user names is fetched and shown,
// and its source text kept; its bold chord names are then read into the
// finder's favourites. While a fetch runs the whole screen takes no input, so
// nothing starts a second fetch or re-enters the screen, and is greyed with an
// activity indicator turning over it; afterwards the control that had the
// keyboard focus has it again.
#include "platform/page/PageFetch.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QLabel;
class QLineEdit;

namespace platform {
class ActivityIndicator;
class PageView;
class TextView;
} // namespace platform

namespace finder {

class ChordFinder;

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
    explicit ImportPane(std::unique_ptr<platform::PageFetcher> fetcher);
    ~ImportPane() override;

    // The widgets the pane works; any may go before the pane.
    void setWidgets(const Widgets& widgets);

    // Fetches the address and shows the page and its source; a failed fetch,
    // or a page neither UTF-8 nor UTF-16, shows nothing, logs why and says it
    // in one short line beside the address.
    void abrirCifra();
    // Appends the source's bold chord names to the finder's favourites and
    // shows the source trimmed. Clears the line of a failed fetch.
    void lerCifras(ChordFinder& finder);

private:
    void showFetching(bool fetching);

    QPointer<QLineEdit> address_;
    QPointer<platform::PageView> page_;
    QPointer<platform::TextView> source_;
    QPointer<platform::TextView> plainText_;
    QPointer<QWidget> screen_;
    QPointer<QLabel> message_;
    QPointer<platform::ActivityIndicator> indicator_; // made at the first fetch
    QPointer<QWidget> focusBeforeFetch_;              // the control with the focus
    std::unique_ptr<platform::PageFetcher> fetcher_;
    bool fetching_ = false;
};

} // namespace finder

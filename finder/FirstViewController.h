#pragma once
// The main screen: the chord finder's tables, filters, search and favourites,
// the fretboard panel, the page import and the instructions overlay. Its
// handlers forward to the finder, the panel or the import; the views follow
// the finder by its signals.
#include "finder/ChordFinder.h"
#include "platform/PageFetch.h"
#include "platform/ViewController.h"

#include <QPointer>

#include <memory>
#include <string>

namespace Ui {
class FirstViewController;
}
namespace fretboard {
class FretboardPanel;
}
namespace platform {
class ActivityIndicator;
}

namespace finder {

class TableView;

class FirstViewController : public platform::ViewController {
    Q_OBJECT
public:
    FirstViewController();
    // The import's page fetch is handed in; the default fetches over the
    // network with its time and size bounds.
    explicit FirstViewController(std::unique_ptr<platform::PageFetcher> pageFetcher);
    ~FirstViewController() override;

    // Start-up: the open C drawn, the sample bank, the catalogue.
    void viewDidLoad() override;
    // A favourites screen may have refilled the shared favourites list.
    void viewWillAppear(bool animated) override;
    // "segueFavoritos" hands over the very favourites and catalogue lists.
    void prepareForSegue(platform::Segue& segue, QObject* sender) override;

    ChordFinder& finder() { return finder_; }
    fretboard::FretboardPanel* fretboard() const;

    // Row selection in any of the five tables.
    void tableViewDidSelectRow(TableView* tableView, int row);
    // Selects the first chord row and shows its chord.
    void tableViewSelect(QObject* sender);
    // The category of the held-down category button.
    void setFilterCateg(QObject* sender);
    void setFilterFav();
    void searchBarTextDidChange(const std::string& text);
    void setNChords(const std::string& unused);
    // Filters the chord list by the fret labels.
    void setFilterChord(QObject* sender);
    void dismissKeyboard();
    void SetFavorite();
    void ClearFavorites();
    // Chord names from a web page: the page shown, then its bold names read.
    void abrirCifra(QObject* sender);
    void lerCifras(QObject* sender);
    void ShowInstruc();
    // Rebuilds the fretboard's bank of 96 note players.
    virtual void LoadAudioSessions();

protected:
    QWidget* loadView() override;

private:
    void showTables();
    void followFinder();
    void wireActions();
    void showChord();
    void endEditing();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<Ui::FirstViewController> ui_;
    ChordFinder finder_;
    std::unique_ptr<platform::PageFetcher> pageFetcher_;
    QPointer<platform::ActivityIndicator> activityIndicator_;
    bool fetching_ = false;
};

} // namespace finder

#pragma once
// The main screen: the chord finder's tables, filters, search and favourites,
// the fretboard panel, the page import and the instructions overlay. Its
// handlers forward to the finder, the panel or the import; the views follow
// the finder by its signals.
#include "finder/ChordFinder.h"
#include "finder/ImportPane.h"
#include "platform/ViewController.h"

#include <memory>
#include <string>

namespace Ui {
class FirstViewController;
}
namespace fretboard {
class FretboardPanel;
}

namespace finder {

class InstructionsOverlay;
class TableView;

class FirstViewController : public platform::ViewController {
    Q_OBJECT
public:
    // The import's page fetch, and the layout budget of its text boxes. The
    // default fetch goes over the network with its time and size bounds; the
    // default budget's clock stands still (the program gives the real one).
    explicit FirstViewController(std::unique_ptr<platform::PageFetcher> pageFetcher =
                                     std::make_unique<platform::CurlPageFetcher>(),
                                 platform::LayoutBudget layoutBudget = {});
    ~FirstViewController() override;

    // Start-up: the open C drawn, the sample bank, the catalogue.
    void viewDidLoad() override;
    // A favourites screen may have refilled the shared favourites list.
    void viewWillAppear(bool animated) override;
    // "segueFavoritos" hands over the very favourites and catalogue lists.
    void prepareForSegue(platform::Segue& segue, QObject* sender) override;

    ChordFinder& finder() { return finder_; }
    ImportPane& importPane() { return *importPane_; }
    fretboard::FretboardPanel* fretboard() const;

    // A row chosen in any of the five tables; the first chord row chosen.
    void tableViewDidSelectRow(TableView* tableView, int row);
    void tableViewSelect(QObject* sender);
    // The category of the held-down category button.
    void setFilterCateg(QObject* sender);
    void setFilterFav() { finder_.setFilterFav(); }
    void searchBarTextDidChange(const std::string& text) { finder_.searchBarTextDidChange(text); }
    void setNChords(const std::string&) { finder_.setNChords(); }
    void setFilterChord(QObject*) { finder_.setFilterChord(); }
    void dismissKeyboard();
    void SetFavorite() { finder_.SetFavorite(); }
    void ClearFavorites() { finder_.ClearFavorites(); }
    // Chord names from a web page: the page shown, then its bold names read.
    void abrirCifra(QObject*) { importPane_->abrirCifra(); }
    void lerCifras(QObject*) { importPane_->lerCifras(finder_); }
    void ShowInstruc();
    // Rebuilds the fretboard's bank of 96 note players.
    virtual void LoadAudioSessions();

protected:
    QWidget* loadView() override;
    // Decodes and shows a stem's photograph (about a millisecond), after a
    // chord row's sound has started.
    virtual void showChordPhoto(const std::string& stem);

private:
    void followFinder();
    void wireActions();
    void showChord();
    void showFavouriteMark();
    void endEditing();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<Ui::FirstViewController> ui_;
    ChordFinder finder_;
    std::unique_ptr<ImportPane> importPane_;
    InstructionsOverlay* instructions_ = nullptr; // owned by the view
};

} // namespace finder

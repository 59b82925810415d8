#pragma once
// The main screen: the chord finder. Its state is shared by the browsing
// tables and filters (finder/), the fretboard and its sounds (fretboard/) and
// the hand-over to the favourites screens.
#include "catalogue/Acorde.h"
#include "finder/TableView.h"
#include "fretboard/SampleBank.h"
#include "platform/ActivityIndicator.h"
#include "platform/Button.h"
#include "platform/PageFetch.h"
#include "platform/ViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBrowser>
#include <QTextEdit>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace finder {

class FirstViewController : public platform::ViewController {
    Q_OBJECT
public:
    FirstViewController();
    ~FirstViewController() override;

    // Start-up: first state, vocabularies, sample bank, catalogue.
    void viewDidLoad() override;

    // ---- Chord lists, vocabularies, flag and counter ----------------------
    catalogue::ChordListRef allTableData;
    catalogue::ChordListRef filteredTableData;
    catalogue::ChordListRef filteredTableDataType;
    catalogue::ChordListRef filteredFavorite;
    std::vector<std::string> tonicas;
    std::vector<std::string> tipos;
    bool isFiltered = false;
    std::int32_t indexFav = 0;

    // ---- Outlets shared by the screen's parts (found by object name) ------
    QPointer<QLineEdit> tonicaText;
    QPointer<QLineEdit> tipoText;
    QPointer<QLabel> labelCifra;
    std::array<QPointer<QLabel>, 6> cdr; // cdr1 .. cdr6: fret texts of strings 1 to 6
    QPointer<platform::Button> AudioOnOff;
    QPointer<platform::Button> ButtonPaleta;
    QPointer<platform::ActivityIndicator> activityIndicator;

    // ---- Fretboard and its sounds (fretboard/MainScreenFretboard.cpp) ------
    // FRETBOARD-SECTION-BEGIN
    // The 96 fret buttons C1C0 .. C6C15, by string (1 high E .. 6 low E) and
    // fret (0 open .. 15); a position whose button the layout lacks is empty.
    std::array<QPointer<platform::Button>, fretboard::kPositionCount> fretButtons;
    // The 96 note players nC1C0 .. nC6C15.
    fretboard::SampleBank sampleBank;

    // Finds the fret buttons, fret labels and sound controls in the loaded
    // view and wires their actions and the pinch on the fretboard. Start-up
    // calls it first.
    void bindFretboardOutlets();
    // The button of a position, or of a position name ("C3C12"); nothing for
    // any other name.
    platform::Button* fretButton(fretboard::Position position) const;
    platform::Button* fretButtonNamed(std::string_view name) const;

    // Clears image and title of the 16 buttons of string "1".."6", or of all
    // strings for "*"; any other text clears nothing.
    void ClearNeck(const std::string& strings);
    // Clears all strings and blanks the six fret labels.
    void ClearNeckAll(QObject* sender);
    // Draws a fret pattern (strings 1 to 6) over the board, marking the
    // positions whose note is the root in tonicaText; then sounds it.
    void setChordNeck(const std::string& c1, const std::string& c2, const std::string& c3,
                      const std::string& c4, const std::string& c5, const std::string& c6);
    void setChord(QObject* sender, const std::string& c1, const std::string& c2,
                  const std::string& c3, const std::string& c4, const std::string& c5,
                  const std::string& c6);
    // Sounds a fret pattern from the screen's bank, all strings at once.
    void playChord(QObject* sender, const std::string& c1, const std::string& c2,
                   const std::string& c3, const std::string& c4, const std::string& c5,
                   const std::string& c6);
    void playNote(QObject* sender, platform::AudioPlayer* player);
    // A fret tap: toggles the tapped fret on its string's label, redraws and
    // sounds the six labels, then filters the chord list by them.
    void playNoteNeck(platform::Button* sender);
    // Rebuilds the screen's bank of 96 note players.
    virtual void LoadAudioSessions();
    // The sound switch: flips AudioOnOff's look and tag, hides or shows the
    // replay button. No playback reads it.
    void SetAudioOnOff();
    // Replays the six labels' chord; a pinch does the same.
    void Paleta();
    void handlePinch(QObject* sender);
    // Filters the chord list by the fret pattern in the six labels (defined
    // with the browsing filters).
    virtual void setFilterChord(QObject* sender);
    // FRETBOARD-SECTION-END

    // ---- Browsing, selection, favourites, import, instructions (finder/) ---
    // FINDER-SECTION-BEGIN
    // The import's page fetch is handed in; the default fetches over the
    // network with its time and size bounds.
    explicit FirstViewController(std::unique_ptr<platform::PageFetcher> pageFetcher);

    // Outlets of the browsing side.
    QPointer<TableView> tableViewTonica;
    QPointer<TableView> tableViewTipo;
    QPointer<TableView> tableViewCifras;
    QPointer<TableView> tableViewFotos;
    QPointer<TableView> tableViewFav;
    QPointer<QLineEdit> searchBar;
    QPointer<QLabel> labelnChords;
    QPointer<platform::Button> SetTypeM;
    QPointer<platform::Button> SetTypem;
    QPointer<platform::Button> SetType7;
    QPointer<platform::Button> SetTypedim;
    QPointer<QLabel> cifraImage;
    QPointer<platform::Button> FavoriteOnOff;
    QPointer<QLabel> labelFavorite;
    QPointer<QLineEdit> FavNumber;
    QPointer<QLineEdit> LinkCifra;
    QPointer<QTextBrowser> WebViewCifra;
    QPointer<QTextEdit> textHTML;
    QPointer<QTextEdit> textPlain;
    QPointer<QLabel> imageInstruc;
    QPointer<QLabel> setasInstruc;
    std::array<QPointer<QLabel>, 12> label_instr; // label_instr1 .. label_instr12

    // The chord on display: the record last chosen in a chord table, the
    // catalogue's first record (the C shown at start-up) before any choice.
    catalogue::AcordeRef chordOnDisplay;

    // The list the chord tables show: filteredTableData while isFiltered,
    // else allTableData. Null before start-up.
    const catalogue::ChordList* shownList() const;

    // Row selection in any of the five tables.
    void tableViewDidSelectRow(TableView* tableView, int row);
    // Selects the first chord row and shows its chord.
    void tableViewSelect(QObject* sender);

    // Browsing filters, search and chord count.
    void setFilterRoot(const std::string& root);
    void setFilterType(const std::string& type);
    void setFilterRootType(const std::string& root, const std::string& type);
    void setFilterCateg(QObject* sender);
    void setFilterFav();
    void searchBarTextDidChange(const std::string& text);
    void setNChords(const std::string& unused);
    void dismissKeyboard();

    // Favourites and their hand-over.
    void SetFavorite();
    void ClearFavorites();
    void prepareForSegue(platform::Segue& segue, QObject* sender) override;
    void viewWillAppear(bool animated) override;

    // Chord names from a web page.
    void abrirCifra(QObject* sender);
    void lerCifras(QObject* sender);

    // Shows or hides the instructions overlay.
    void ShowInstruc();

private:
    void bindFinderOutlets();
    void wireFinderActions();
    void reload(TableView* tableView);
    void showChord(const catalogue::AcordeRef& record, int row);
    void endEditing();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<platform::PageFetcher> pageFetcher_;
    // FINDER-SECTION-END
};

} // namespace finder

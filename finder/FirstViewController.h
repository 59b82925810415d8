#pragma once
// The main screen: the chord finder. Its state is shared by the browsing
// tables and filters (finder/), the fretboard and its sounds (fretboard/) and
// the hand-over to the favourites screens.
#include "catalogue/Acorde.h"
#include "fretboard/SampleBank.h"
#include "platform/ActivityIndicator.h"
#include "platform/Button.h"
#include "platform/ViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBrowser>
#include <QTextEdit>
#include <array>
#include <cstdint>
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
    // Finds the fret buttons, fret labels and sound controls in the loaded
    // view and wires their actions. Start-up calls it first.
    void bindFretboardOutlets();
    // Rebuilds the screen's bank of 96 note players.
    virtual void LoadAudioSessions();
    // FRETBOARD-SECTION-END

    // ---- Browsing, selection, favourites, import, instructions (finder/) ---
    // FINDER-SECTION-BEGIN
    // FINDER-SECTION-END
};

} // namespace finder

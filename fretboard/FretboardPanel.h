#pragma once
// The main screen's fretboard panel: the neck with its 96 fret buttons and six
// fret labels (FretboardView), the 96 note players that sound it, chords drawn
// with their root positions marked, fret taps, the sound switch, the replay
// button and the pinch that replays. The screen shows a chord through
// showChord and hears of taps through its signals.
#include "catalogue/FretPattern.h"
#include "fretboard/FretboardView.h"
#include "fretboard/SampleBank.h"

#include <QPointer>

#include <memory>
#include <string>
#include <string_view>

class QAbstractButton;

namespace platform {
class ActivityIndicator;
}

namespace fretboard {

class FretboardPanel : public FretboardView {
    Q_OBJECT
public:
    explicit FretboardPanel(QWidget* parent = nullptr);
    ~FretboardPanel() override;

    // Plays through `engine` from now on, with a new, empty bank.
    void useAudioEngine(std::shared_ptr<platform::AudioEngine> engine);
    // The screen's sound switch, replay and clear buttons, which the panel
    // works from now on; any may be absent.
    void attachControls(platform::Button* soundSwitch, platform::Button* replay,
                        QAbstractButton* clearAll);
    // The indicator that the bank's loading starts and stops; may be absent.
    void setActivityIndicator(platform::ActivityIndicator* indicator);
    // On systems that have one (13 on), a large indicator in the middle of
    // `screen` for the bank's loading; once per panel.
    void showLoadingOver(QWidget* screen);

    // The root whose positions drawing marks ("C ", "Db ", "*").
    void setRoot(std::string root) { root_ = std::move(root); }
    // The six labels' texts, string 1 first.
    catalogue::FretPattern labels() const;
    void setLabels(const catalogue::FretPattern& labels);
    // The button of a position, or of a position name ("C3C12"); nothing for
    // anything else.
    platform::Button* fretButton(Position position) const;
    platform::Button* fretButtonNamed(std::string_view name) const;
    SampleBank& sampleBank() { return *bank_; }

    // Shows a chord: the board cleared, the labels set, the pattern drawn
    // with root marks for `root`, then sounded.
    void showChord(const catalogue::FretPattern& frets, const std::string& root);
    // Clears image and title of the 16 buttons of string "1".."6", or of all
    // strings for "*"; any other text clears nothing.
    void ClearNeck(const std::string& strings);
    // Clears all strings and blanks the six labels.
    void ClearNeckAll();
    // Draws a pattern over the board, then sounds it.
    void setChordNeck(const catalogue::FretPattern& frets);
    void setChord(const catalogue::FretPattern& frets);
    void playChord(const catalogue::FretPattern& frets);
    // A fret tap: toggles the tapped fret on its string's label, then draws
    // and sounds the labels; a sender whose tag is no position only redraws
    // and sounds. Then reports the tap.
    void playNoteNeck(platform::Button* sender);
    // Rebuilds the bank of 96 note players, showing the indicator until
    // control is back in the event loop.
    void LoadAudioSessions();
    // Flips the sound switch's look and tag and hides or shows the replay
    // button. No playback reads it.
    void SetAudioOnOff();
    // Sounds the labels' chord again; so does each step of a pinch on the
    // neck, through handlePinch.
    void Paleta();
    void handlePinch(QObject* sender);

Q_SIGNALS:
    // The labels were changed here (a tap or clearing all).
    void labelsEdited(const catalogue::FretPattern& labels);
    // A fret tap has been drawn and sounded.
    void fretTapped(QObject* sender);
    // The chord's notes are about to start; a chord being shown is drawn by
    // then.
    void chordSounding(const catalogue::FretPattern& frets);

private:
    std::unique_ptr<SampleBank> bank_;
    std::string root_;
    QPointer<platform::Button> soundSwitch_;
    QPointer<platform::Button> replay_;
    QPointer<platform::ActivityIndicator> indicator_;
};

} // namespace fretboard

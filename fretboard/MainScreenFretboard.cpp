// The main screen's fretboard: drawing chords on the 96 fret buttons, fret
// taps, the sample bank, the chord's sound, the sound switch and the replay.
#include "finder/FirstViewController.h"

#include "fretboard/FretboardView.h"
#include "fretboard/PinchRelay.h"
#include "fretboard/model/FretLabel.h"
#include "fretboard/model/FretTag.h"
#include "fretboard/model/NoteNames.h"
#include "platform/Bundle.h"
#include "platform/MainQueue.h"

namespace finder {

using fretboard::kHighEString;
using fretboard::kLastFret;
using fretboard::kLowEString;
using fretboard::kOpenString;
using fretboard::Position;

namespace {

const std::string kBall = "Ball.png";
const std::string kRootBall = "BallT.png";
const std::string kAudioOnImage = "icone-audio-on-chord.png";
const std::string kAudioOffImage = "icone-audio-off-chord.png";
constexpr int kAudioOn = 1;
constexpr int kAudioOff = 0;

// A label's text; a label the layout lacks reads as the empty text, which
// names no position and so is neither drawn nor sounded.
std::string textOf(const QPointer<QLabel>& label)
{
    return label ? label->text().toStdString() : std::string();
}

std::size_t indexOf(Position position)
{
    return static_cast<std::size_t>((position.string - 1) * fretboard::kPositionsPerString +
                                    position.fret);
}

} // namespace

void FirstViewController::bindFretboardOutlets()
{
    for (int string = kHighEString; string <= kLowEString; ++string) {
        for (int fret = kOpenString; fret <= kLastFret; ++fret) {
            const Position position{string, fret};
            auto* button = outlet<platform::Button>(fretboard::positionName(position).c_str());
            fretButtons[indexOf(position)] = button;
            if (button)
                connect(button, &QAbstractButton::clicked, this,
                        [this, button] { playNoteNeck(button); });
        }
        cdr[static_cast<std::size_t>(string - 1)] =
            outlet<QLabel>(("cdr" + std::to_string(string)).c_str());
    }
    AudioOnOff = outlet<platform::Button>("AudioOnOff");
    if (AudioOnOff)
        connect(AudioOnOff, &QAbstractButton::clicked, this, [this] { SetAudioOnOff(); });
    ButtonPaleta = outlet<platform::Button>("ButtonPaleta");
    if (ButtonPaleta)
        connect(ButtonPaleta, &QAbstractButton::clicked, this, [this] { Paleta(); });
    if (auto* clear = outlet<QAbstractButton>("buttonClearNeck"))
        connect(clear, &QAbstractButton::clicked, this, [this, clear] { ClearNeckAll(clear); });
    if (auto* board = view()->findChild<fretboard::FretboardView*>()) {
        auto* pinch = new fretboard::PinchRelay(board);
        connect(pinch, &fretboard::PinchRelay::pinched, this,
                [this](QObject* source) { handlePinch(source); });
    }
}

platform::Button* FirstViewController::fretButton(Position position) const
{
    return position.isValid() ? fretButtons[indexOf(position)].data() : nullptr;
}

platform::Button* FirstViewController::fretButtonNamed(std::string_view name) const
{
    // A name outside the 96 names no button: its string is left undrawn.
    const auto position = fretboard::positionFromName(name);
    return position ? fretButton(*position) : nullptr;
}

void FirstViewController::ClearNeck(const std::string& strings)
{
    for (int string = kHighEString; string <= kLowEString; ++string) {
        if (strings != "*" && strings != std::to_string(string))
            continue;
        for (int fret = kOpenString; fret <= kLastFret; ++fret)
            if (platform::Button* button = fretButton({string, fret}))
                button->setImage(std::string());
        for (int fret = kOpenString; fret <= kLastFret; ++fret)
            if (platform::Button* button = fretButton({string, fret}))
                button->setTitle(std::nullopt);
    }
}

void FirstViewController::ClearNeckAll(QObject*)
{
    ClearNeck("*");
    for (auto& label : cdr)
        if (label)
            label->setText(QStringLiteral(" "));
}

void FirstViewController::setChordNeck(const std::string& c1, const std::string& c2,
                                       const std::string& c3, const std::string& c4,
                                       const std::string& c5, const std::string& c6)
{
    // On the board before its notes start.
    setChord(this, c1, c2, c3, c4, c5, c6);
    playChord(this, c1, c2, c3, c4, c5, c6);
}

void FirstViewController::setChord(QObject*, const std::string& c1, const std::string& c2,
                                   const std::string& c3, const std::string& c4,
                                   const std::string& c5, const std::string& c6)
{
    const std::array<const std::string*, fretboard::kStringCount> frets{&c1, &c2, &c3,
                                                                        &c4, &c5, &c6};
    const std::string root = tonicaText ? tonicaText->text().toStdString() : std::string();
    for (int string = kHighEString; string <= kLowEString; ++string) {
        const std::string& fret = *frets[static_cast<std::size_t>(string - 1)];
        if (fret == catalogue::kNotPlayedText)
            continue;
        const std::string name = fretboard::stringPrefix(string) + fret;
        const bool isRoot = fretboard::isRootNote(fretboard::noteNameForFretButton(name), root);
        if (platform::Button* button = fretButtonNamed(name))
            button->setImage(isRoot ? kRootBall : kBall);
    }
}

void FirstViewController::playChord(QObject*, const std::string& c1, const std::string& c2,
                                    const std::string& c3, const std::string& c4,
                                    const std::string& c5, const std::string& c6)
{
    sampleBank.playChord(fretboard::patternOfTexts({c1, c2, c3, c4, c5, c6}));
}

void FirstViewController::playNote(QObject*, platform::AudioPlayer* player)
{
    sampleBank.playNote(player);
}

void FirstViewController::playNoteNeck(platform::Button* sender)
{
    // Only the 96 position codes name a string and a fret; any other tag
    // leaves the board and the labels as they are, and the pattern on display
    // is drawn, sounded and filtered again.
    const auto tapped = sender ? fretboard::positionFromTag(sender->tag()) : std::nullopt;
    if (tapped) {
        ClearNeck(std::to_string(tapped->string));
        if (QLabel* label = cdr[static_cast<std::size_t>(tapped->string - 1)]) {
            const std::string toggled = fretboard::toggledFretText(
                label->text().toStdString(), catalogue::fretText(tapped->fret));
            label->setText(QString::fromStdString(toggled));
        }
    }
    setChordNeck(textOf(cdr[0]), textOf(cdr[1]), textOf(cdr[2]), textOf(cdr[3]), textOf(cdr[4]),
                 textOf(cdr[5]));
    setFilterChord(sender);
}

void FirstViewController::LoadAudioSessions()
{
    if (activityIndicator)
        activityIndicator->startAnimating();
    sampleBank.loadForMainScreen(platform::Bundle::main());
    // Stops the indicator once control is back in the event loop; a screen
    // gone by then is left alone.
    platform::runOnMainQueue([screen = QPointer<FirstViewController>(this)] {
        if (screen && screen->activityIndicator)
            screen->activityIndicator->stopAnimating();
    });
}

void FirstViewController::SetAudioOnOff()
{
    const bool switchingOff = AudioOnOff && AudioOnOff->tag() == kAudioOn;
    if (AudioOnOff) {
        AudioOnOff->setImage(switchingOff ? kAudioOffImage : kAudioOnImage);
        AudioOnOff->setTitle(switchingOff ? " off" : " on");
    }
    if (ButtonPaleta)
        ButtonPaleta->setHidden(switchingOff);
    if (AudioOnOff)
        AudioOnOff->setTag(switchingOff ? kAudioOff : kAudioOn);
}

void FirstViewController::Paleta()
{
    playChord(this, textOf(cdr[0]), textOf(cdr[1]), textOf(cdr[2]), textOf(cdr[3]), textOf(cdr[4]),
              textOf(cdr[5]));
}

void FirstViewController::handlePinch(QObject*)
{
    Paleta();
}

} // namespace finder

#include "fretboard/FretboardPanel.h"

#include "fretboard/PinchRelay.h"
#include "fretboard/model/FretLabel.h"
#include "fretboard/model/FretTag.h"
#include "fretboard/model/NoteNames.h"
#include "platform/ActivityIndicator.h"
#include "platform/Bundle.h"
#include "platform/Button.h"
#include "platform/MainQueue.h"
#include "platform/System.h"

#include <QAbstractButton>

namespace fretboard {
namespace {

const std::string kBall = "Ball.png";
const std::string kRootBall = "BallT.png";
const std::string kAudioOnImage = "icone-audio-on-chord.png";
const std::string kAudioOffImage = "icone-audio-off-chord.png";
constexpr int kAudioOn = 1;
constexpr int kAudioOff = 0;

} // namespace

FretboardPanel::FretboardPanel(QWidget* parent)
    : FretboardView(parent), bank_(std::make_unique<SampleBank>())
{
    for (int string = kHighEString; string <= kLowEString; ++string)
        for (int fret = kOpenString; fret <= kLastFret; ++fret) {
            platform::Button* button = this->button({string, fret});
            connect(button, &QAbstractButton::clicked, this,
                    [this, button] { playNoteNeck(button); });
        }
    auto* pinch = new PinchRelay(this);
    connect(pinch, &PinchRelay::pinched, this, [this](QObject* source) { handlePinch(source); });
}

FretboardPanel::~FretboardPanel() = default;

void FretboardPanel::useAudioEngine(std::shared_ptr<platform::AudioEngine> engine)
{
    bank_ = std::make_unique<SampleBank>(std::move(engine));
}

void FretboardPanel::attachControls(platform::Button* soundSwitch, platform::Button* replay,
                                    QAbstractButton* clearAll)
{
    soundSwitch_ = soundSwitch;
    replay_ = replay;
    if (soundSwitch)
        connect(soundSwitch, &QAbstractButton::clicked, this, [this] { SetAudioOnOff(); });
    if (replay)
        connect(replay, &QAbstractButton::clicked, this, [this] { Paleta(); });
    if (clearAll)
        connect(clearAll, &QAbstractButton::clicked, this, [this] { ClearNeckAll(); });
}

void FretboardPanel::setActivityIndicator(platform::ActivityIndicator* indicator)
{
    indicator_ = indicator;
}

void FretboardPanel::showLoadingOver(QWidget* screen)
{
    if (indicator_ || !platform::systemVersionAtLeast(13))
        return;
    indicator_ = new platform::ActivityIndicator(screen, platform::ActivityIndicator::Style::Large);
    indicator_->setCenter(screen->rect().center());
    indicator_->setHidesWhenStopped(true);
    indicator_->raise();
}

catalogue::FretPattern FretboardPanel::labels() const
{
    std::array<std::string, kStringCount> texts;
    for (int string = kHighEString; string <= kLowEString; ++string)
        texts[static_cast<std::size_t>(string - 1)] = label(string)->text().toStdString();
    return patternOfTexts(texts);
}

void FretboardPanel::setLabels(const catalogue::FretPattern& labels)
{
    for (int string = kHighEString; string <= kLowEString; ++string)
        label(string)->setText(QString::fromStdString(labels.fretText(string)));
}

platform::Button* FretboardPanel::fretButton(Position position) const
{
    return position.isValid() ? button(position) : nullptr;
}

platform::Button* FretboardPanel::fretButtonNamed(std::string_view name) const
{
    // A name outside the 96 names no button: its string is left undrawn.
    const auto position = positionFromName(name);
    return position ? fretButton(*position) : nullptr;
}

void FretboardPanel::showChord(const catalogue::FretPattern& frets, const std::string& root)
{
    setRoot(root);
    ClearNeck("*");
    setLabels(frets);
    setChordNeck(frets);
}

void FretboardPanel::ClearNeck(const std::string& strings)
{
    for (int string = kHighEString; string <= kLowEString; ++string) {
        if (strings != "*" && strings != std::to_string(string))
            continue;
        for (int fret = kOpenString; fret <= kLastFret; ++fret) {
            platform::Button* button = this->button({string, fret});
            button->setImage(std::string());
            button->setTitle(std::nullopt);
        }
    }
}

void FretboardPanel::ClearNeckAll()
{
    ClearNeck("*");
    setLabels(catalogue::FretPattern{});
    Q_EMIT labelsEdited(labels());
}

void FretboardPanel::setChordNeck(const catalogue::FretPattern& frets)
{
    // On the board before its notes start.
    setChord(frets);
    playChord(frets);
}

void FretboardPanel::setChord(const catalogue::FretPattern& frets)
{
    for (int string = kHighEString; string <= kLowEString; ++string) {
        if (frets.fret(string) == catalogue::kMuted)
            continue;
        const std::string name = stringPrefix(string) + frets.fretText(string);
        const bool isRoot = isRootNote(noteNameForFretButton(name), root_);
        if (platform::Button* target = fretButtonNamed(name))
            target->setImage(isRoot ? kRootBall : kBall);
    }
}

void FretboardPanel::playChord(const catalogue::FretPattern& frets)
{
    Q_EMIT chordSounding(frets);
    bank_->playChord(frets);
}

void FretboardPanel::playNoteNeck(platform::Button* sender)
{
    // Only the 96 position codes name a string and a fret; any other tag
    // leaves the board and the labels as they are, and the pattern on display
    // is drawn, sounded and reported again.
    if (const auto tapped = sender ? positionFromTag(sender->tag()) : std::nullopt) {
        ClearNeck(std::to_string(tapped->string));
        QLabel* text = label(tapped->string);
        text->setText(QString::fromStdString(
            toggledFretText(text->text().toStdString(), catalogue::fretText(tapped->fret))));
        Q_EMIT labelsEdited(labels());
    }
    setChordNeck(labels());
    Q_EMIT fretTapped(sender);
}

void FretboardPanel::LoadAudioSessions()
{
    if (indicator_)
        indicator_->startAnimating();
    bank_->loadForMainScreen(platform::Bundle::main());
    // Stops the indicator once control is back in the event loop; a panel or
    // indicator gone by then is left alone.
    platform::runOnMainQueue([panel = QPointer<FretboardPanel>(this)] {
        if (panel && panel->indicator_)
            panel->indicator_->stopAnimating();
    });
}

void FretboardPanel::SetAudioOnOff()
{
    const bool switchingOff = soundSwitch_ && soundSwitch_->tag() == kAudioOn;
    if (soundSwitch_) {
        soundSwitch_->setImage(switchingOff ? kAudioOffImage : kAudioOnImage);
        soundSwitch_->setTitle(switchingOff ? " off" : " on");
    }
    if (replay_)
        replay_->setHidden(switchingOff);
    if (soundSwitch_)
        soundSwitch_->setTag(switchingOff ? kAudioOff : kAudioOn);
}

void FretboardPanel::Paleta()
{
    playChord(labels());
}

void FretboardPanel::handlePinch(QObject*)
{
    Paleta();
}

} // namespace fretboard

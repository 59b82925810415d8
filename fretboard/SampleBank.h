#pragma once
// The sample bank of a chord-playing screen: 96 sample players, one per
// fretboard position (strings 1 to 6, string 1 the high E; positions 0, the
// open string, to 15), each made from the position's recorded note in the
// bundle. The positions' names stay their identity: the player of string 6,
// fret 3 is "nC6C3", made from the resource "C6-003" of type "mp3".
//
// The players take their sounds from the audio engine when first needed; the
// engine decodes them ahead of that on worker threads, starting once the
// application has painted its window. A position asked for before its sound
// is decoded has it decoded at once.
//
// Every function: main thread only.
#include "catalogue/FretPattern.h"
#include "fretboard/model/Position.h"
#include "platform/Bundle.h"
#include "platform/FirstPaint.h"
#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioPlayer.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fretboard {

class SampleBank {
public:
    static constexpr int kStrings = kStringCount;
    static constexpr int kFrets = kPositionsPerString;

    // An empty bank: every position silent until a load. Its background
    // decoding waits for firstPaint, which outlives the bank, to see a paint.
    explicit SampleBank(
        std::shared_ptr<platform::AudioEngine> engine = platform::AudioEngine::shared(),
        platform::FirstPaint& firstPaint = platform::FirstPaint::application());

    // The main screen's load. For each position, strings 6 to 1 and within a
    // string frets 0 to 15, makes a new player from the position's sample. A
    // sample missing from the bundle is logged ("Exceção ao carregar fretlume:
    // " and the reason, naming the resource) and its position keeps what it
    // held; a sample that cannot be decoded leaves its position empty (the
    // audio engine logs a warning naming the file and why, once per file).
    // Then readies every player, in the same order.
    void loadForMainScreen(const platform::Bundle& bundle);
    // A grid screen's load: the same order and readying, but a missing sample
    // empties its position, like one that cannot be decoded, and the load
    // logs nothing of its own.
    void loadForGridScreen(const platform::Bundle& bundle);

    // Sounds a chord: for strings 6 down to 1, the player of the position
    // that the string's fret text names, each from the start of its sample.
    // All notes reach the output together, in one audio buffer. Strings at
    // " " and texts that name no position stay silent; notes already
    // sounding elsewhere go on.
    void playChord(const catalogue::FretPattern& frets);
    // Sounds one player from the start of its sample: play, rewind to 0,
    // ready again. A player that is still sounding restarts rather than
    // sounding twice. No player: nothing.
    void playNote(platform::AudioPlayer* player);

    // The player of a position, or nothing (empty position, or no such
    // string 1..6 or fret 0..15). A position whose sample proves undecodable
    // is empty.
    platform::AudioPlayer* player(int string, int fret) const;
    // The player by its name, "nC6C3"; nothing for any other text.
    platform::AudioPlayer* player(std::string_view playerName) const;

private:
    static int slotIndex(int string, int fret) { return (string - 1) * kFrets + fret; }
    std::unique_ptr<platform::AudioPlayer>& slot(int string, int fret) const
    {
        return players_[static_cast<std::size_t>(slotIndex(string, fret))];
    }
    void decodeLater();
    void prepareAll();

    std::shared_ptr<platform::AudioEngine> engine_;
    platform::FirstPaint* firstPaint_;
    // Mutable: looking a player up may find its sound undecodable and empty
    // the position.
    mutable std::array<std::unique_ptr<platform::AudioPlayer>, kStrings * kFrets> players_;
};

} // namespace fretboard

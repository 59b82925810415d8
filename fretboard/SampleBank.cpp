#include "fretboard/SampleBank.h"

#include "fretboard/model/Position.h"
#include "platform/FileUrl.h"
#include "platform/Log.h"

#include <vector>

namespace fretboard {
namespace {

constexpr const char* kSampleType = "mp3";

// Runs f(string, fret) for the 96 positions in loading order: strings 6 to
// 1, and within a string frets 0 to 15.
template <typename F> void forEachPositionInLoadOrder(F&& f)
{
    for (int string = SampleBank::kStrings; string >= 1; --string)
        for (int fret = 0; fret < SampleBank::kFrets; ++fret)
            f(string, fret);
}

// The file address of a position's sample. A sample missing from the bundle
// is an error that names the resource.
platform::Result<platform::FileUrl> sampleUrl(const platform::Bundle& bundle,
                                              const std::string& name)
{
    auto url = platform::fileURLWithPath(bundle.pathForResource(name, kSampleType));
    if (!url)
        return platform::failure("sample resource \"" + name + "." + kSampleType +
                                 "\" is missing from the bundle");
    return url;
}

} // namespace

SampleBank::SampleBank(std::shared_ptr<platform::AudioEngine> engine) : engine_(std::move(engine))
{
}

void SampleBank::loadForMainScreen(const platform::Bundle& bundle)
{
    decodeAheadOfLoad(bundle);
    forEachPositionInLoadOrder([&](int string, int fret) {
        // Each position on its own: a missing sample costs only that position.
        const auto url = sampleUrl(bundle, sampleResourceName({string, fret}));
        if (url)
            slot(string, fret) = platform::AudioPlayer::create(*url, nullptr, engine_);
        else
            platform::log("Exceção ao carregar fretlume: " + url.error());
    });
    prepareAll();
}

void SampleBank::loadForGridScreen(const platform::Bundle& bundle)
{
    decodeAheadOfLoad(bundle);
    forEachPositionInLoadOrder([&](int string, int fret) {
        const auto path = bundle.pathForResource(sampleResourceName({string, fret}), kSampleType);
        slot(string, fret) =
            path ? platform::AudioPlayer::create(platform::FileUrl{*path}, nullptr, engine_)
                 : nullptr;
    });
    prepareAll();
}

// Decoding the 96 files dominates a first load; done on several threads
// before the players are made in order, it takes a fraction of the time.
void SampleBank::decodeAheadOfLoad(const platform::Bundle& bundle)
{
    std::vector<std::string> paths;
    forEachPositionInLoadOrder([&](int string, int fret) {
        if (auto path = bundle.pathForResource(sampleResourceName({string, fret}), kSampleType))
            paths.push_back(std::move(*path));
    });
    engine_->preloadSamples(paths);
}

void SampleBank::prepareAll()
{
    forEachPositionInLoadOrder([&](int string, int fret) {
        if (auto& player = slot(string, fret))
            player->prepareToPlay();
    });
}

void SampleBank::playChord(const catalogue::FretPattern& frets)
{
    platform::AudioEngine::Batch together(*engine_);
    for (int string = kStrings; string >= 1; --string) {
        const Position position{string, frets.fret(string)};
        if (position.isValid()) // a string not played sounds nothing
            playNote(slot(position.string, position.fret).get());
    }
}

void SampleBank::playNote(platform::AudioPlayer* player)
{
    if (!player)
        return;
    platform::AudioEngine::Batch together(*engine_);
    player->play();
    player->setCurrentTime(0.0);
    player->prepareToPlay();
}

platform::AudioPlayer* SampleBank::player(int string, int fret) const
{
    if (string < 1 || string > kStrings || fret < 0 || fret >= kFrets)
        return nullptr;
    return players_[static_cast<std::size_t>(slotIndex(string, fret))].get();
}

platform::AudioPlayer* SampleBank::player(std::string_view playerName) const
{
    if (!playerName.starts_with('n'))
        return nullptr;
    const auto position = positionFromName(playerName.substr(1));
    return position ? player(position->string, position->fret) : nullptr;
}

} // namespace fretboard

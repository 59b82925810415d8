#include "fretboard/SampleBank.h"

#include "fretboard/model/Position.h"
#include "platform/FileUrl.h"
#include "platform/FirstPaint.h"
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

// Runs f(string, fret) for the 96 positions in the order a first tap most
// likely needs them: the open strings and the frets nearest the nut first,
// where the chord on display at start and the first rows of the chord table
// lie; within a fret, strings 6 to 1.
template <typename F> void forEachPositionInDecodeOrder(F&& f)
{
    for (int fret = 0; fret < SampleBank::kFrets; ++fret)
        for (int string = SampleBank::kStrings; string >= 1; --string)
            f(string, fret);
}

} // namespace

SampleBank::SampleBank(std::shared_ptr<platform::AudioEngine> engine,
                       platform::FirstPaint& firstPaint)
    : engine_(std::move(engine)), firstPaint_(&firstPaint)
{
}

void SampleBank::loadForMainScreen(const platform::Bundle& bundle)
{
    forEachPositionInLoadOrder([&](int string, int fret) {
        // Each position on its own: a missing sample costs only that position.
        const auto url = sampleUrl(bundle, sampleResourceName({string, fret}));
        if (url)
            slot(string, fret) = platform::AudioPlayer::createDeferred(*url, engine_);
        else
            platform::log("Exceção ao carregar fretlume: " + url.error());
    });
    prepareAll();
    decodeLater();
}

void SampleBank::loadForGridScreen(const platform::Bundle& bundle)
{
    forEachPositionInLoadOrder([&](int string, int fret) {
        const auto path = bundle.pathForResource(sampleResourceName({string, fret}), kSampleType);
        slot(string, fret) =
            path ? platform::AudioPlayer::createDeferred(platform::FileUrl{*path}, engine_)
                 : nullptr;
    });
    prepareAll();
    decodeLater();
}

// Decoding the 96 files would dominate the load, and at start-up hold back
// the window. The players take their sounds when first needed instead, and
// the engine decodes them on worker threads, once the application has
// painted.
void SampleBank::decodeLater()
{
    std::vector<std::string> paths;
    forEachPositionInDecodeOrder([&](int string, int fret) {
        if (const auto& held = slot(string, fret))
            paths.push_back(held->url().path);
    });
    firstPaint_->runAfter([engine = std::weak_ptr(engine_), paths = std::move(paths)] {
        if (auto alive = engine.lock())
            alive->decodeInBackground(paths);
    });
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
    // A string not played has no player and sounds nothing.
    for (int string = kStrings; string >= 1; --string)
        playNote(player(string, frets.fret(string)));
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
    // A player whose file turns out undecodable leaves its position empty,
    // as it would have at the load had the sound been decoded there.
    auto& held = slot(string, fret);
    if (held && !held->hasSound())
        held.reset();
    return held.get();
}

platform::AudioPlayer* SampleBank::player(std::string_view playerName) const
{
    if (!playerName.starts_with('n'))
        return nullptr;
    const auto position = positionFromName(playerName.substr(1));
    return position ? player(position->string, position->fret) : nullptr;
}

} // namespace fretboard

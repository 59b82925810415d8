#include "VoicingSearch.h"

#include "catalogue/Fingering.h"

#include <algorithm>
#include <bit>

namespace voicings {
namespace {
using namespace catalogue;

int mod12(int v)
{
    return ((v % 12) + 12) % 12;
}

// Cost of the fretted span (highest less lowest fret).
constexpr int kSpanCost[] = {0, 0, 4, 12, 30, 50};
constexpr int kFingerCost[] = {0, 0, 0, 3, 9};

struct Search {
    int rootPc;
    const ChordTones& chord;
    int bassInterval;
    unsigned allowed;
    std::vector<Candidate> found;
    FretPattern frets{};

    // Strings are chosen from string 6 (index 5) up to string 1 (index 0),
    // keeping the fretted notes within six frets as they go.
    void choose(int string, int lowest, int highest)
    {
        if (string < 0) {
            finish();
            return;
        }
        auto s = static_cast<std::size_t>(string);
        if (string != 2) {
            frets[s] = kMuted;
            choose(string - 1, lowest, highest);
        }
        for (int f = 0; f <= kHighestFret; ++f) {
            if (!(allowed & (1u << mod12(kOpenStringMidi[s] + f - rootPc))))
                continue;
            int lo = lowest;
            int hi = highest;
            if (f > 0) {
                lo = std::min(lo, f);
                hi = std::max(hi, f);
                if (hi - lo >= kMaxFretsSpanned)
                    continue;
            }
            frets[s] = f;
            choose(string - 1, lo, hi);
        }
    }

    void finish()
    {
        int sounding = 0;
        for (int f : frets)
            sounding += f != kMuted;
        if (sounding < kMinSoundingStrings)
            return;
        if (toneFault(heardTones(frets, rootPc), bassTone(frets, rootPc), chord, bassInterval) !=
            ToneFault::None)
            return;
        if (handShape(frets).fingers > kFingers)
            return;
        found.push_back({frets, voicingCost(frets, rootPc, chord, bassInterval),
                         neckPosition(frets), frets.fretSum()});
    }
};
} // namespace

int neckPosition(const FretPattern& frets)
{
    bool open = std::find(frets.begin(), frets.end(), 0) != frets.end();
    return open ? 0 : handShape(frets).lowest;
}

int voicingCost(const FretPattern& frets, int rootPc, const ChordTones& chord, int bassInterval)
{
    const unsigned heard = heardTones(frets, rootPc);
    const int bass = bassTone(frets, rootPc);
    const auto hand = handShape(frets);
    int cost = 0;

    // Tones: the root in the bass unless a slash names another; root and
    // third sound unless the chord has too many tones for the hand.
    bool noRoot = !(heard & 1u);
    bool noThird = chord.third >= 0 && !(heard & (1u << chord.third));
    if (noRoot)
        cost += 120;
    if (noThird)
        cost += 100;
    // Triad types are close three-note shapes in any inversion.
    if (bassInterval < 0 && !noRoot && bass != 0 && !chord.complete)
        cost += 40;
    if (((chord.must | chord.optional) & (1u << 7)) && !(heard & (1u << 7)))
        cost += 3;

    // Strings: sounding strings together, muted ones at the edges; the high E
    // sounding where it can.
    int top = 0;
    while (frets[static_cast<std::size_t>(top)] == kMuted)
        ++top;
    int bottom = 5;
    while (frets[static_cast<std::size_t>(bottom)] == kMuted)
        --bottom;
    int sounding = 0;
    int inside = 0;
    for (int s = top; s <= bottom; ++s) {
        bool muted = frets[static_cast<std::size_t>(s)] == kMuted;
        sounding += !muted;
        inside += muted;
    }
    // A four-note shape skipping only the string above its bass (drop-3) is a
    // standard grip; any other silent string inside costs more.
    bool open = std::find(frets.begin(), frets.end(), 0) != frets.end();
    bool dropThree = !open && sounding == 4 && inside == 1 &&
                     frets[static_cast<std::size_t>(bottom - 1)] == kMuted &&
                     std::popcount(heard) == 4;
    cost += dropThree ? 5 : 25 * inside;
    if (top > 0)
        cost += 12 + 6 * (top - 1);
    if (chord.complete) {
        static constexpr int kTriadStringsCost[] = {0, 0, 0, 0, 15, 30, 30};
        cost += kTriadStringsCost[sounding];
    } else {
        static constexpr int kStringsCost[] = {0, 0, 0, 25, 4, 0, 2};
        cost += kStringsCost[sounding];
        if (bottom == 3)
            cost += 4;
        else if (bottom == 2)
            cost += 12;
        // Four different tones on four adjacent strings (drop-2 and close
        // shapes of four-note chords).
        if (sounding == 4 && inside == 0 && std::popcount(heard) == 4)
            cost -= 4;
    }

    // Hand: compact spans (wider frets near the nut), few fingers, open
    // strings only near the nut, lower positions first.
    int span = hand.highest - hand.lowest;
    cost += kSpanCost[span];
    if (span >= 3 && hand.lowest <= 4)
        cost += 6 * (span - 2);
    cost += kFingerCost[hand.fingers];
    // Open-position shapes (fretted notes within the first three frets, no
    // barre) are the first a chord book shows; open strings further up the
    // neck make an awkward reach.
    if (open && hand.highest >= 5)
        cost += 25 + 5 * (hand.highest - 5);
    else if (open && hand.highest <= 3 && hand.barreStrings <= 1)
        cost -= 6;
    else if (open && hand.highest == 4)
        cost += 8;
    cost += hand.lowest / 2;
    if (hand.lowest >= 12)
        cost += 10;
    return cost;
}

std::vector<Candidate> legalVoicings(int rootPc, const ChordTones& chord, int bassInterval)
{
    unsigned allowed = chord.must | chord.optional;
    if (bassInterval >= 0)
        allowed |= 1u << bassInterval;
    Search search{rootPc, chord, bassInterval, allowed, {}, {}};
    search.choose(5, kHighestFret + 1, 0);
    auto& found = search.found;
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        if (a.cost != b.cost)
            return a.cost < b.cost;
        return a.frets < b.frets;
    });
    return std::move(found);
}

} // namespace voicings

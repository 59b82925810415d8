#include "catalogue/Fingering.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>

namespace catalogue {
namespace {

constexpr int kStrings = 6;

// One way of covering the fretted strings: the index's place first, then one
// place per other finger, before fingers are numbered.
using Places = std::vector<FingerPlace>;

// The runs the index can bar at the lowest fret: adjacent strings that all
// sound at its fret or higher (a finger in front of it holds those), never a
// muted string, which it would sound, nor an open one, with no open string
// sounding between the run and string 1, since it reaches over the neck from
// the high E side; each run from the first to the last of its strings held
// at that fret. The run holding the most strings at its fret comes first,
// the highest-pitched on a tie; then a single note, the lowest-pitched held
// at that fret.
std::vector<FingerPlace> indexPlaces(const FretPattern& p, int lowest)
{
    struct Run {
        FingerPlace place;
        int count;
    };
    std::vector<Run> runs;
    bool openAbove = false;
    for (int s = 1; s <= kStrings;) {
        if (p.fret(s) <= 0) {
            openAbove = openAbove || p.fret(s) == 0;
            ++s;
            continue;
        }
        FingerPlace run{1, lowest, 0, 0};
        int count = 0;
        for (; s <= kStrings && p.fret(s) > 0; ++s) {
            if (p.fret(s) != lowest)
                continue;
            if (count++ == 0)
                run.fromString = s;
            run.toString = s;
        }
        if (!openAbove && count >= 2)
            runs.push_back({run, count});
    }
    std::stable_sort(runs.begin(), runs.end(),
                     [](const Run& a, const Run& b) { return a.count > b.count; });
    std::vector<FingerPlace> out;
    out.reserve(runs.size() + 1);
    for (const auto& r : runs)
        out.push_back(r.place);
    int bass = 0;
    for (int s = 1; s <= kStrings; ++s)
        if (p.fret(s) == lowest)
            bass = s;
    out.push_back({1, lowest, bass, bass});
    return out;
}

// Whether the index at `index` holds string s: one it lies on at its fret.
bool heldByIndex(const FretPattern& p, const FingerPlace& index, int s)
{
    return s >= index.fromString && s <= index.toString && p.fret(s) == index.fret;
}

// The runs of two or three adjacent strings all at one fret above the
// index's, outside the strings it holds: where a finger other than the index
// can lie flat.
std::vector<FingerPlace> flatRuns(const FretPattern& p, const FingerPlace& index)
{
    std::vector<FingerPlace> runs;
    for (int from = 1; from <= kStrings; ++from)
        for (int to = from + 1; to <= std::min(from + 2, kStrings); ++to) {
            bool same = p.fret(from) > index.fret;
            for (int s = from; s <= to && same; ++s)
                same = p.fret(s) == p.fret(from) && !heldByIndex(p, index, s);
            if (same)
                runs.push_back({0, p.fret(from), from, to});
        }
    return runs;
}

// Fingers follow one another from lower to higher frets, and on one fret the
// lower-pitched string takes the lower finger.
bool before(const FingerPlace& a, const FingerPlace& b)
{
    return a.fret != b.fret ? a.fret < b.fret : a.toString > b.toString;
}

// What a finger pays for its place: reaching beyond one fret per finger from
// the index costs most; curling back onto a lower fret a little.
int reachCost(const FingerPlace& place, int lowest)
{
    if (place.fret == lowest) // side by side with the index on its fret
        return 0;
    const int over = (place.fret - lowest) - (place.finger - 1);
    return over > 0 ? 4 * over : -over;
}

// Numbers the places (in order) with increasing fingers, the index on the
// first, so that no two fingers lie more than one fret further apart than
// the difference of their numbers; of the numberings that fit, the one that
// costs the least reach. Nothing when none fits.
std::optional<int> numberFingers(Places& places, int lowest)
{
    const std::size_t m = places.size();
    if (m > static_cast<std::size_t>(kFingers))
        return std::nullopt;
    std::optional<int> bestCost;
    Places best;
    // Every increasing choice of m - 1 fingers out of 2, 3, 4.
    for (unsigned mask = 0; mask < 8; ++mask) {
        if (static_cast<std::size_t>(std::popcount(mask)) != m - 1)
            continue;
        Places numbered = places;
        std::size_t k = 1;
        for (int finger = 2; finger <= kFingers; ++finger)
            if (mask & (1u << (finger - 2)))
                numbered[k++].finger = finger;
        bool fits = true;
        int cost = 0;
        for (std::size_t i = 0; i < m && fits; ++i) {
            cost += reachCost(numbered[i], lowest);
            for (std::size_t j = i + 1; j < m && fits; ++j)
                fits = numbered[j].fret - numbered[i].fret <=
                       numbered[j].finger - numbered[i].finger + 1;
        }
        if (fits && (!bestCost || cost < *bestCost)) {
            bestCost = cost;
            best = numbered;
        }
    }
    if (bestCost)
        places = best;
    return bestCost;
}

// The places of a hand whose index lies at `index`: one finger per fretted
// string the index leaves, or with `flat` one finger lying across `flat`'s
// strings. Nothing when a place would have to come before the index.
std::optional<Places> placesWith(const FretPattern& p, const FingerPlace& index,
                                 const std::optional<FingerPlace>& flat)
{
    Places places{index};
    if (flat)
        places.push_back(*flat);
    for (int s = 1; s <= kStrings; ++s)
        if (p.fret(s) > 0 && !heldByIndex(p, index, s) &&
            !(flat && s >= flat->fromString && s <= flat->toString))
            places.push_back({0, p.fret(s), s, s});
    std::sort(places.begin() + 1, places.end(), before);
    if (places.size() > 1 && before(places[1], index))
        return std::nullopt;
    // A finger lying flat leaves the strings on its bass side to the fingers
    // behind it: none in front reaches round it there.
    for (std::size_t i = 1; i < places.size(); ++i)
        for (std::size_t j = i + 1; j < places.size() && places[i].liesFlat(); ++j)
            if (places[j].fret > places[i].fret && places[j].toString > places[i].toString)
                return std::nullopt;
    return places;
}

int handEffort(const Places& fingers, int reach, int lowest, int highest)
{
    static constexpr int kFingerEffort[] = {0, 0, 2, 5, 9};
    static constexpr int kSpanEffort[] = {0, 0, 1, 3, 6, 10};
    const auto& index = fingers.front();
    int effort = kFingerEffort[fingers.size()] + reach;
    if (index.liesFlat()) // a barre, the heavier the more strings it presses
        effort += index.toString - index.fromString >= 4 ? 6 : 3;
    const int span = highest - lowest;
    effort += kSpanEffort[std::min(span, 5)];
    if (lowest <= 3 && span >= 3) // the frets are widest near the nut
        effort += 2 * (span - 2);
    for (std::size_t i = 1; i < fingers.size(); ++i) {
        const auto& place = fingers[i];
        if (place.liesFlat())
            effort += 2;
        // A finger on a lower string than a long barre reaches, at a higher
        // fret, reaches round the index; a short barre at the top leaves the
        // bass strings to the other fingers.
        if (index.toString - index.fromString >= 2 && place.toString > index.toString &&
            place.fret > lowest)
            effort += 6 + 4 * (place.fret - lowest);
    }
    return effort;
}

} // namespace

Fingering fingeringOf(const FretPattern& frets)
{
    Fingering hand;
    hand.lowest = frets.lowestFret();
    hand.highest = frets.highestFret();
    if (hand.lowest == 0)
        return hand;
    // Takes the hand with the index at `index` and one finger lying flat at
    // `flat`, if any, where a hand holds it with fewer fingers than the one
    // taken, or as many and less effort.
    hand.needed = kStrings + 1;
    auto consider = [&](const FingerPlace& index, const std::optional<FingerPlace>& flat) {
        auto places = placesWith(frets, index, flat);
        if (!places)
            return;
        hand.needed = std::min(hand.needed, static_cast<int>(places->size()));
        const auto reach = numberFingers(*places, hand.lowest);
        if (!reach)
            return;
        const int effort = handEffort(*places, *reach, hand.lowest, hand.highest);
        if (hand.held() &&
            std::pair(hand.fingers.size(), hand.effort) <= std::pair(places->size(), effort))
            return;
        hand.effort = effort;
        hand.fingers = std::move(*places);
    };
    // The first index place that leaves a hand that fits with a finger of
    // its own on every other fretted string; only where none does, one
    // finger lies flat.
    const auto indexes = indexPlaces(frets, hand.lowest);
    for (const auto& index : indexes) {
        consider(index, std::nullopt);
        if (hand.held())
            break;
    }
    if (!hand.held())
        for (const auto& index : indexes)
            for (const auto& run : flatRuns(frets, index))
                consider(index, run);
    if (hand.held())
        hand.needed = static_cast<int>(hand.fingers.size());
    return hand;
}

Reach reachOf(const Fingering& hand)
{
    constexpr int kWideFrets = 6;   // the hand at this fret or lower reaches three frets
    constexpr int kStretchFrom = 5; // a large hand stretches to four from here
    const int span = hand.highest - hand.lowest;
    if (hand.lowest == 0 || span <= 3 || (span == 4 && hand.lowest > kWideFrets))
        return Reach::Within;
    return span == 4 && hand.lowest >= kStretchFrom ? Reach::Stretch : Reach::Beyond;
}

bool isContorted(const Fingering& hand)
{
    if (!hand.held() || hand.fingers.front().liesFlat())
        return false;
    const auto& index = hand.fingers.front();
    bool higher = false; // a finger far up on a higher-pitched string
    bool lower = false;  // ... and on a lower-pitched one
    for (const auto& place : hand.fingers)
        if (place.fret >= index.fret + 3) {
            higher = higher || place.fromString < index.fromString;
            lower = lower || place.toString > index.fromString;
        }
    return higher && lower;
}

std::string playabilityProblem(const FretPattern& frets)
{
    int sounding = 0;
    for (int f : frets) {
        if (f < kMuted || f > kHighestFret)
            return "fret out of range";
        sounding += f != kMuted;
    }
    if (sounding < kMinSoundingStrings)
        return "fewer than three strings sound";
    if (frets[2] == kMuted)
        return "string 3 does not sound";
    const auto hand = fingeringOf(frets);
    if (hand.lowest == 0)
        return "no string fretted";
    if (hand.highest - hand.lowest >= kMaxFretsSpanned)
        return "fretted strings span more than six frets";
    if (hand.needed > kFingers) {
        static const char* const kCounts[] = {"five", "six"};
        return std::string(kCounts[std::min(hand.needed - 5, 1)]) + " fingers needed";
    }
    if (!hand.held())
        return "no hand holds the fingers in order within their reach";
    return {};
}

} // namespace catalogue

#include "catalogue/Fingering.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

namespace catalogue {
namespace {

constexpr int kStrings = 6;

// The index at the lowest fret. Laid flat, it covers a run of adjacent
// strings that all sound at its fret or higher (a finger in front of it holds
// those): never a muted string, which it would sound, nor an open one. It
// reaches over the neck from the high E side, so no open string may sound
// between the run and string 1. Of such runs it bars the one holding the most
// strings at its fret, the highest-pitched on a tie, from the first to the
// last of them. With fewer than two such strings it presses one string, the
// lowest-pitched held at that fret.
FingerPlace indexPlace(const FretPattern& p, int lowest)
{
    FingerPlace barre{1, lowest, 0, 0};
    int best = 0;
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
        if (!openAbove && count >= 2 && count > best) {
            best = count;
            barre = run;
        }
    }
    if (best >= 2)
        return barre;
    int bass = 0;
    for (int s = 1; s <= kStrings; ++s)
        if (p.fret(s) == lowest)
            bass = s;
    return {1, lowest, bass, bass};
}

// The longest run of two or more adjacent strings at `fret`, or nothing.
std::optional<FingerPlace> flatRun(const FretPattern& p, int fret)
{
    std::optional<FingerPlace> best;
    int from = 0;
    for (int s = 1; s <= kStrings + 1; ++s) {
        if (s <= kStrings && p.fret(s) == fret) {
            if (!from)
                from = s;
            continue;
        }
        if (from && s - 1 > from && (!best || s - 1 - from > best->toString - best->fromString))
            best = FingerPlace{0, fret, from, s - 1};
        from = 0;
    }
    return best;
}

// What a finger pays for its place: reaching beyond one fret per finger from
// the index costs most; curling back onto a lower fret a little.
int reachCost(const FingerPlace& place, int finger, int lowest)
{
    const int over = (place.fret - lowest) - (finger - 1);
    return over > 0 ? 4 * over : -over;
}

// Gives the places, in order, increasing finger numbers from 2 to 4 that
// cost the least reach; returns that cost.
int assignFingers(std::vector<FingerPlace>& places, int lowest)
{
    const std::size_t m = places.size();
    int bestCost = -1;
    std::array<int, 3> best{};
    // Every increasing choice of m fingers out of 2, 3, 4.
    for (unsigned mask = 0; mask < 8; ++mask) {
        if (static_cast<std::size_t>(std::popcount(mask)) != m)
            continue;
        std::array<int, 3> chosen{};
        std::size_t k = 0;
        int cost = 0;
        for (int finger = 2; finger <= kFingers; ++finger) {
            if (!(mask & (1u << (finger - 2))))
                continue;
            chosen[k] = finger;
            cost += reachCost(places[k], finger, lowest);
            ++k;
        }
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            best = chosen;
        }
    }
    for (std::size_t k = 0; k < m; ++k)
        places[k].finger = best[k];
    return std::max(bestCost, 0);
}

// The other fingers' places: one per fretted string the index leaves, or,
// when that needs more than four fingers, one flat across a run at the
// highest fret.
std::vector<FingerPlace> otherPlaces(const FretPattern& p, const FingerPlace& index, int highest,
                                     bool flat)
{
    std::array<bool, kStrings + 1> held{};
    for (int s = index.fromString; s <= index.toString; ++s)
        held[static_cast<std::size_t>(s)] = p.fret(s) == index.fret;
    std::vector<FingerPlace> places;
    if (flat && highest > index.fret) {
        if (auto run = flatRun(p, highest)) {
            for (int s = run->fromString; s <= run->toString; ++s)
                held[static_cast<std::size_t>(s)] = true;
            places.push_back(*run);
        }
    }
    for (int s = 1; s <= kStrings; ++s)
        if (p.fret(s) > 0 && !held[static_cast<std::size_t>(s)])
            places.push_back({0, p.fret(s), s, s});
    std::sort(places.begin(), places.end(), [](const FingerPlace& a, const FingerPlace& b) {
        return a.fret != b.fret ? a.fret < b.fret : a.toString > b.toString;
    });
    return places;
}

} // namespace

Fingering fingeringOf(const FretPattern& frets)
{
    Fingering hand;
    hand.lowest = frets.lowestFret();
    hand.highest = frets.highestFret();
    if (hand.lowest == 0)
        return hand;
    const FingerPlace index = indexPlace(frets, hand.lowest);
    auto others = otherPlaces(frets, index, hand.highest, false);
    if (1 + others.size() > static_cast<std::size_t>(kFingers))
        others = otherPlaces(frets, index, hand.highest, true);
    hand.needed = 1 + static_cast<int>(others.size());
    if (hand.needed > kFingers)
        return hand;

    static constexpr int kFingerEffort[] = {0, 0, 2, 5, 9};
    static constexpr int kSpanEffort[] = {0, 0, 1, 3, 6, 10};
    hand.effort = kFingerEffort[hand.needed] + assignFingers(others, hand.lowest);
    if (index.liesFlat()) // a barre, the heavier the more strings it presses
        hand.effort += index.toString - index.fromString >= 4 ? 6 : 3;
    const int span = hand.highest - hand.lowest;
    hand.effort += kSpanEffort[std::min(span, 5)];
    if (hand.lowest <= 3 && span >= 3) // the frets are widest near the nut
        hand.effort += 2 * (span - 2);
    for (const auto& place : others) {
        if (place.liesFlat())
            hand.effort += 2;
        // A finger on a lower string than a long barre reaches, at a higher
        // fret, reaches round the index; a short barre at the top leaves the
        // bass strings to the other fingers.
        if (index.toString - index.fromString >= 2 && place.toString > index.toString &&
            place.fret > hand.lowest)
            hand.effort += 6 + 4 * (place.fret - hand.lowest);
    }
    hand.fingers.push_back(index);
    hand.fingers.insert(hand.fingers.end(), others.begin(), others.end());
    return hand;
}

bool withinReach(const Fingering& hand)
{
    if (hand.lowest == 0)
        return true;
    const int span = hand.highest - hand.lowest;
    if (hand.lowest < 5)
        return span <= 3;
    return span <= (hand.lowest < 7 ? 4 : 5);
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
    return {};
}

} // namespace catalogue

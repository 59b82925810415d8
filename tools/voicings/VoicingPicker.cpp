#include "VoicingPicker.h"

#include <algorithm>
#include <cstdlib>

namespace voicings {
namespace {
using catalogue::FretPattern;

struct Standing {
    FretPattern frets;
    int position;
};

// A shape that is another with strings left out or added is no further
// voicing: it comes after every other one.
constexpr int kSameShapeCost = 400000;
// A symbol's first voicing holds no fret below this one only where it must.
constexpr int kHighLeadFret = 10;

// What a candidate pays for resembling a voicing already chosen: the same
// shape with strings left out or added, the same neck position, or a near
// copy differing in one or two strings.
int likeness(const Candidate& c, const Standing& s)
{
    int differ = 0;
    bool sameShape = true;
    for (std::size_t i = 0; i < c.frets.size(); ++i) {
        differ += c.frets[i] != s.frets[i];
        sameShape = sameShape && (c.frets[i] == s.frets[i] || c.frets[i] == catalogue::kMuted ||
                                  s.frets[i] == catalogue::kMuted);
    }
    int cost = sameShape ? kSameShapeCost : 0;
    int apart = std::abs(c.position - s.position);
    if (apart <= 1)
        cost += 20;
    else if (apart <= 3)
        cost += 8;
    if (differ <= 1)
        cost += 40;
    else if (differ == 2)
        cost += 15;
    return cost;
}

int fittingSlot(const std::vector<Slot>& slots, const std::vector<int>& left, int sum)
{
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (left[i] > 0 && sum >= slots[i].minSum && sum <= slots[i].maxSum)
            return static_cast<int>(i);
    return -1;
}
} // namespace

Picked pickVoicings(const std::vector<Candidate>& candidates,
                    const std::vector<FretPattern>& standing,
                    const std::vector<FretPattern>& preferred, const std::vector<Slot>& slots)
{
    Picked picked;
    picked.slots.resize(slots.size());
    std::vector<int> left;
    int toPick = 0;
    for (const auto& s : slots) {
        left.push_back(s.count);
        toPick += s.count;
    }
    std::vector<Standing> chosen;
    chosen.reserve(standing.size() + static_cast<std::size_t>(toPick));
    for (const auto& f : standing)
        chosen.push_back({f, neckPosition(f)});
    std::vector<bool> used(candidates.size(), false);
    auto isChosen = [&](const FretPattern& f) {
        return std::any_of(chosen.begin(), chosen.end(),
                           [&](const Standing& s) { return s.frets == f; });
    };
    for (std::size_t i = 0; i < candidates.size(); ++i)
        used[i] = isChosen(candidates[i].frets);

    // The first voicing of the symbol must stay first in fret-sum order: once
    // the first slot has its first voicing, the others there sum no less. So
    // a voicing leads that slot only if enough others sum at least as much,
    // and, where the slot can start lower, not from high up the neck, which
    // would push every other voicing up there too.
    std::vector<Slot> open = slots;
    auto lowOnTheNeck = [](const Candidate& c) { return c.frets.lowestFret() < kHighLeadFret; };
    const bool lowLeadExists =
        std::any_of(candidates.begin(), candidates.end(), [&](const Candidate& c) {
            return lowOnTheNeck(c) && c.sum >= open[0].minSum && c.sum <= open[0].maxSum;
        });
    auto slotFor = [&](std::size_t i) {
        const int slot = fittingSlot(open, left, candidates[i].sum);
        if (slot != 0 || !picked.slots[0].empty())
            return slot;
        if (lowLeadExists && !lowOnTheNeck(candidates[i]))
            return -1;
        int above = 0;
        for (std::size_t j = 0; j < candidates.size(); ++j)
            above += j != i && !used[j] && candidates[j].sum >= candidates[i].sum &&
                     candidates[j].sum <= open[0].maxSum;
        return above >= left[0] - 1 ? 0 : -1;
    };
    auto take = [&](std::size_t i, int slot) {
        if (slot == 0 && picked.slots[0].empty())
            open[0].minSum = std::max(open[0].minSum, candidates[i].sum);
        used[i] = true;
        --left[static_cast<std::size_t>(slot)];
        --toPick;
        chosen.push_back({candidates[i].frets, candidates[i].position});
        picked.slots[static_cast<std::size_t>(slot)].push_back(candidates[i].frets);
        picked.order.push_back(candidates[i].frets);
    };

    for (const auto& want : preferred) {
        if (toPick == 0)
            break;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (used[i] || candidates[i].frets != want)
                continue;
            int slot = slotFor(i);
            if (slot >= 0)
                take(i, slot);
            break;
        }
    }

    while (toPick > 0) {
        long best = -1;
        int bestTotal = 0;
        int bestSlot = -1;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            const auto& c = candidates[i];
            // Candidates come best ranked first and likeness only adds.
            if (best >= 0 && c.rank >= bestTotal)
                break;
            if (used[i])
                continue;
            int slot = slotFor(i);
            if (slot < 0)
                continue;
            int total = c.rank;
            for (const auto& s : chosen)
                total += likeness(c, s);
            if (best < 0 || total < bestTotal) {
                best = static_cast<long>(i);
                bestTotal = total;
                bestSlot = slot;
            }
        }
        if (best >= 0) {
            take(static_cast<std::size_t>(best), bestSlot);
            continue;
        }
        // No legal voicing is left for a slot: repeat the best ranked one whose
        // fret sum fits it.
        bool filled = false;
        for (std::size_t i = 0; i < candidates.size() && !filled; ++i) {
            int slot = fittingSlot(open, left, candidates[i].sum);
            if (slot < 0)
                continue;
            take(i, slot);
            ++picked.repeated;
            filled = true;
        }
        if (!filled)
            break;
    }
    return picked;
}

} // namespace voicings

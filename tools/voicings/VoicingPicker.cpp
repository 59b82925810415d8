#include "VoicingPicker.h"

#include "GripShape.h"

#include <algorithm>
#include <cstdlib>

namespace voicings {
namespace {
using catalogue::FretPattern;

struct Standing {
    FretPattern frets;
    int position;
    std::vector<int> notes; // its pitches
};

// A shape that is another with strings left out or added is no further
// voicing: it comes after every other one.
constexpr int kSameShapeCost = 400000;
// First voicings rank in tiers of this width: the open grips, the barres,
// the other shapes over the named bass, the rest.
constexpr int kLeadTier = 100000;
// A symbol of two or more voicings has one with the hand below this fret;
// one without weighs as much as two voicings given up.
constexpr int kLowHandFret = 7;
constexpr int kNoLowHandCompromise = 2;

// One shape with strings left out or added: equal wherever both sound. A
// four-note grip inside a strummed shape of five or six strings is a voicing
// of its own, a different sound that books teach beside the barre.
bool sameShape(const FretPattern& a, const FretPattern& b)
{
    auto grip = [](const FretPattern& p) { return gripFamily(p) == GripFamily::FourNote; };
    auto strummed = [](const FretPattern& p) { return spanOf(p).sounding >= 5; };
    if ((grip(a) && strummed(b)) || (grip(b) && strummed(a)))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i] != catalogue::kMuted && b[i] != catalogue::kMuted)
            return false;
    return true;
}

// How many strings two shapes differ on.
int differingStrings(const FretPattern& a, const FretPattern& b)
{
    int differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differ += a[i] != b[i];
    return differ;
}

// What a candidate pays for resembling a voicing already chosen: the same
// shape with strings left out or added, the same neck position, or a near
// copy differing in one or two strings.
int likeness(const Candidate& c, const Standing& s)
{
    const int differ = differingStrings(c.frets, s.frets);
    int cost = sameShape(c.frets, s.frets) ? kSameShapeCost : 0;
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

// Two shapes that differ on one string at most.
bool nearCopy(const FretPattern& a, const FretPattern& b)
{
    return differingStrings(a, b) <= 1;
}

int fittingSlot(const std::vector<Slot>& slots, const std::vector<int>& left, int sum)
{
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (left[i] > 0 && sum >= slots[i].minSum && sum <= slots[i].maxSum)
            return static_cast<int>(i);
    return -1;
}
// What a pick gave up: voicings over another bass than the root or the
// named one, grips a player avoids, repeats; and which candidate leads.
struct Attempt {
    Picked picked;
    int compromises = 0;
    long lead = -1;
};

// Picks with the candidate `forcedLead` as the first voicing, or with the
// best first voicing when it is -1.
Attempt pickWithLead(const std::vector<Candidate>& candidates,
                     const std::vector<FretPattern>& standing,
                     const std::vector<FretPattern>& preferred, const std::vector<Slot>& slots,
                     bool bookPair, long forcedLead)
{
    Attempt attempt;
    Picked& picked = attempt.picked;
    picked.slots.resize(slots.size());
    std::vector<int> left;
    int toPick = 0;
    for (const auto& s : slots) {
        left.push_back(s.count);
        toPick += s.count;
    }
    std::vector<Standing> chosen; // every voicing of the symbol so far
    chosen.reserve(standing.size() + static_cast<std::size_t>(toPick));
    for (const auto& f : standing)
        chosen.push_back({f, neckPosition(f), f.pitches()});
    std::vector<bool> used(candidates.size(), false);
    std::vector<std::vector<int>> notes; // each candidate's pitches
    notes.reserve(candidates.size());
    for (const auto& c : candidates)
        notes.push_back(c.frets.pitches());
    auto isChosen = [&](const FretPattern& f) {
        return std::any_of(chosen.begin(), chosen.end(),
                           [&](const Standing& s) { return s.frets == f; });
    };
    for (std::size_t i = 0; i < candidates.size(); ++i)
        used[i] = isChosen(candidates[i].frets);

    // The first voicing of the symbol must stay first in fret-sum order: once
    // the first slot has its first voicing, the others there sum no less. So
    // a voicing leads that slot only if enough others sum at least as much.
    // (A first voicing ranks low on the neck already, so as not to push every
    // other voicing up there too.)
    std::vector<Slot> open = slots;
    auto slotFor = [&](std::size_t i) {
        const int slot = fittingSlot(open, left, candidates[i].sum);
        if (slot != 0 || !picked.slots[0].empty())
            return slot;
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
        attempt.compromises += candidates[i].otherBass + candidates[i].lastResort();
        --left[static_cast<std::size_t>(slot)];
        --toPick;
        chosen.push_back({candidates[i].frets, candidates[i].position, notes[i]});
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

    // Each voicing of a symbol sounds notes of its own.
    auto soundsAsChosen = [&](std::size_t i) {
        return std::any_of(chosen.begin(), chosen.end(),
                           [&](const Standing& s) { return s.notes == notes[i]; });
    };
    auto nearChosen = [&](std::size_t i) {
        return soundsAsChosen(i) ||
               std::any_of(chosen.begin(), chosen.end(), [&](const Standing& s) {
                   return nearCopy(candidates[i].frets, s.frets) ||
                          sameShape(candidates[i].frets, s.frets);
               });
    };
    // The best first voicing among those not taken that `fits`.
    auto bestLead = [&](auto fits) {
        long lead = -1;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (used[i] || !fits(i))
                continue;
            if (lead < 0 || candidates[i].lead < candidates[static_cast<std::size_t>(lead)].lead)
                lead = static_cast<long>(i);
        }
        return lead;
    };
    // The symbol's first voicing, unless a fixed record or the twin's
    // choice stands there: the best as a first voicing.
    if (left[0] > 0 && picked.slots[0].empty()) {
        const long lead = forcedLead >= 0 && slotFor(static_cast<std::size_t>(forcedLead)) == 0
                              ? forcedLead
                              : bestLead([&](std::size_t i) { return slotFor(i) == 0; });
        attempt.lead = lead;
        if (lead >= 0) {
            take(static_cast<std::size_t>(lead), 0);
            // Of a chord taught at the nut whose first shape is no open grip,
            // the book's other shape of the same kind follows; an open grip
            // has its variants at the nut, which are no further position,
            // but a chord of two voicings shows the open grip and the barre.
            const int tier = candidates[static_cast<std::size_t>(lead)].lead / kLeadTier;
            const auto count = standing.size() + picked.order.size() + toPick;
            const int pairTier = tier > 0 ? (count >= 3 ? tier : -1) : count == 2 ? 1 : -1;
            const long next =
                bookPair && pairTier > 0 && toPick > 0
                    ? bestLead([&](std::size_t i) { return slotFor(i) >= 0 && !nearChosen(i); })
                    : -1;
            if (next >= 0 &&
                candidates[static_cast<std::size_t>(next)].lead / kLeadTier == pairTier)
                take(static_cast<std::size_t>(next), slotFor(static_cast<std::size_t>(next)));
        }
    }

    // A symbol of three or more voicings shows the chord in more than one
    // region of the neck: its last voicing goes elsewhere if all the others
    // share one.
    const std::size_t voicings =
        standing.size() + picked.order.size() + static_cast<std::size_t>(toPick);
    auto oneRegion = [&] {
        return std::all_of(chosen.begin(), chosen.end(), [&](const Standing& s) {
            return neckRegion(s.frets) == neckRegion(chosen.front().frets);
        });
    };
    auto handLow = [](const FretPattern& f) { return f.lowestFret() < kLowHandFret; };
    auto noneLow = [&] {
        return std::none_of(chosen.begin(), chosen.end(),
                            [&](const Standing& s) { return handLow(s.frets); });
    };
    while (toPick > 0) {
        const bool moveOn = voicings >= 3 && toPick == 1 && !chosen.empty() && oneRegion();
        const bool comeDown = voicings >= 2 && toPick == 1 && noneLow();
        long best = -1;
        int bestTotal = 0;
        int bestSlot = -1;
        // The best voicing within `rules` of a symbol's voicings (3: every
        // one; 2: giving up a hand low on the neck; 1: giving up a second
        // region too; 0: giving up the rule against near copies as well),
        // over another bass or not, a grip a player avoids or not; always
        // sounding notes of its own.
        auto scan = [&](int rules, bool otherBass, bool lastResort) {
            for (std::size_t i = 0; i < candidates.size(); ++i) {
                const auto& c = candidates[i];
                // Candidates come best ranked first and likeness only adds.
                if (best >= 0 && c.rank >= bestTotal)
                    break;
                if (used[i] || soundsAsChosen(i) || c.otherBass != otherBass ||
                    c.lastResort() != lastResort)
                    continue;
                if ((rules >= 3 && comeDown && !handLow(c.frets)) ||
                    (rules >= 2 && moveOn &&
                     neckRegion(c.frets) == neckRegion(chosen.front().frets)) ||
                    (rules >= 1 &&
                     std::any_of(chosen.begin(), chosen.end(),
                                 [&](const Standing& s) { return nearCopy(c.frets, s.frets); })))
                    continue;
                int slot = slotFor(i);
                if (slot < 0)
                    continue;
                int sum = c.rank;
                for (const auto& s : chosen)
                    sum += likeness(c, s);
                if (best < 0 || sum < bestTotal) {
                    best = static_cast<long>(i);
                    bestTotal = sum;
                    bestSlot = slot;
                }
            }
        };
        // Over the root (or the named bass) before over another; within
        // each, giving up the rules one by one, and at each step a grip a
        // player avoids only where no other fits; near copies last of all.
        for (int otherBass = 0; otherBass <= 1; ++otherBass)
            for (int rules = 3; rules >= 1; --rules)
                for (int lastResort = 0; lastResort <= 1; ++lastResort)
                    if (best < 0)
                        scan(rules, otherBass != 0, lastResort != 0);
        for (int otherBass = 0; otherBass <= 1; ++otherBass)
            for (int lastResort = 0; lastResort <= 1; ++lastResort)
                if (best < 0)
                    scan(0, otherBass != 0, lastResort != 0);
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
            ++attempt.compromises;
            filled = true;
        }
        if (!filled)
            break;
    }
    // A symbol of two or more voicings without a hand low on the neck gave
    // up more than one voicing's worth.
    if (voicings >= 2 && noneLow())
        attempt.compromises += kNoLowHandCompromise;
    return attempt;
}
} // namespace

Picked pickVoicings(const std::vector<Candidate>& candidates,
                    const std::vector<FretPattern>& standing,
                    const std::vector<FretPattern>& preferred, const std::vector<Slot>& slots,
                    bool bookPair)
{
    auto best = pickWithLead(candidates, standing, preferred, slots, bookPair, -1);
    if (best.compromises == 0 || best.lead < 0)
        return best.picked;
    // The others sum no less than the first voicing: one summing much keeps
    // out grips over the root that sum less. Where the pick gave something
    // up, a first voicing over the root summing less, with the hand no
    // higher, leads instead if that gives up less; the best ranked first.
    const auto& first = candidates[static_cast<std::size_t>(best.lead)];
    std::vector<std::size_t> leads;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const auto& c = candidates[i];
        if (c.sum < first.sum && !c.otherBass && !c.avoided &&
            c.frets.lowestFret() <= std::max(first.frets.lowestFret(), kLowHandFret - 1))
            leads.push_back(i);
    }
    std::stable_sort(leads.begin(), leads.end(), [&](std::size_t a, std::size_t b) {
        return candidates[a].lead < candidates[b].lead;
    });
    for (auto i : leads) {
        auto attempt =
            pickWithLead(candidates, standing, preferred, slots, bookPair, static_cast<long>(i));
        if (attempt.lead == static_cast<long>(i) && attempt.compromises < best.compromises)
            best = std::move(attempt);
    }
    return best.picked;
}

} // namespace voicings

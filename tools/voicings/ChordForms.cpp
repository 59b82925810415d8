#include "ChordForms.h"

#include "GripShape.h"
#include "catalogue/ChordNaming.h"
#include "catalogue/Fingering.h"

#include <bit>
#include <cstdlib>
#include <vector>

namespace voicings {
namespace {
using namespace catalogue;

// An open major shape: for each string (index 0 is string 1) the fret offset
// from the root string's fret and the interval it sounds, or a silent string.
struct MajorShape {
    int rootString;
    int nutAnchor; // the root string's fret in open position
    std::array<std::pair<int, int>, 6> notes;
};
constexpr std::pair<int, int> kSilent{0, -1};
const std::array<MajorShape, 5> kShapes = {{
    {5, 3, {{{-3, 4}, {-2, 0}, {-3, 7}, {-1, 4}, {0, 0}, kSilent}}}, // C: x,3,2,0,1,0
    {5, 0, {{{0, 7}, {2, 4}, {2, 0}, {2, 7}, {0, 0}, kSilent}}},     // A: x,0,2,2,2,0
    {6, 3, {{{0, 0}, {-3, 4}, {-3, 0}, {-3, 7}, {-1, 4}, {0, 0}}}},  // G: 3,2,0,0,0,3
    {6, 0, {{{0, 0}, {0, 7}, {1, 4}, {2, 0}, {2, 7}, {0, 0}}}},      // E: 0,2,2,1,0,0
    {4, 0, {{{2, 4}, {3, 0}, {2, 7}, {0, 0}, kSilent, kSilent}}},    // D: x,x,0,2,3,2
}};
// A form keeps its notes within four frets from the nut's place.
constexpr int kShapeFrets = 4;
constexpr int kLeaveOutCost = 2;
// Where a movable form is tried: the nut's place this many frets up.
constexpr int kTrialPlace = 5;
constexpr int kOpenPositionFrets = 3;
constexpr int kLowBarreFrets = 7;
// An open form lies at most this many semitones from its major shape.
constexpr int kOpenFormMoves = 3;
// The offset of a string the form leaves silent.
constexpr int kSilentOffset = 100;

int rootPcAt(const MajorShape& shape, int anchor)
{
    return mod12(kOpenStringMidi[static_cast<std::size_t>(shape.rootString - 1)] + anchor);
}

// Moves the shape's notes onto the chord's tones, string by string, keeping
// the cheapest result that is a playable voicing (fewest semitones moved, then
// least effort).
class Derivation {
public:
    Derivation(const ChordTones& chord, int bassInterval, const MajorShape& shape, bool open)
        : chord_(chord), bassInterval_(bassInterval), shape_(shape), open_(open),
          anchor_(open ? shape.nutAnchor : shape.nutAnchor + kTrialPlace),
          rootPc_(rootPcAt(shape, anchor_)), allowed_(allowedTones(chord, bassInterval))
    {
    }

    std::optional<std::array<int, 6>> run()
    {
        choose(0, 0);
        return best_;
    }

private:
    void choose(std::size_t s, int cost)
    {
        if (best_ && cost > bestCost_)
            return;
        if (s == current_.size()) {
            finish(cost);
            return;
        }
        const auto [offset, interval] = shape_.notes[s];
        if (interval < 0) {
            current_[s] = kSilentOffset;
            choose(s + 1, cost);
            return;
        }
        for (int shift = -3; shift <= 3; ++shift) {
            const int moved = offset + shift;
            if (!(allowed_ & (1u << mod12(interval + shift))) || moved < -shape_.nutAnchor ||
                moved >= -shape_.nutAnchor + kShapeFrets)
                continue;
            current_[s] = moved;
            choose(s + 1, cost + std::abs(shift));
        }
        // At the nut the shape keeps its strings, but for a slash chord's bass.
        if (!open_ || bassInterval_ >= 0) {
            current_[s] = kSilentOffset;
            choose(s + 1, cost + kLeaveOutCost);
        }
    }

    void finish(int cost)
    {
        FretPattern frets;
        bool openString = false;
        for (std::size_t s = 0; s < current_.size(); ++s) {
            frets[s] = current_[s] == kSilentOffset ? kMuted : anchor_ + current_[s];
            openString = openString || frets[s] == 0;
        }
        const unsigned heard = heardTones(frets, rootPc_);
        const int bass = bassTone(frets, rootPc_);
        // A form sounds the chord's root and its third.
        const bool third = chord_.third < 0 || (heard & (1u << chord_.third));
        if (!(heard & 1u) || !third || (bassInterval_ < 0 && bass != 0) ||
            toneFault(heard, bass, chord_, bassInterval_) != ToneFault::None ||
            !playabilityProblem(frets).empty() || secondAboveLowBass(frets))
            return;
        if (open_ &&
            (!openString || frets.highestFret() > kOpenPositionFrets || cost > kOpenFormMoves))
            return;
        const int effort = fingeringOf(frets).effort;
        if (best_ && (cost > bestCost_ || (cost == bestCost_ && effort >= bestEffort_)))
            return;
        best_ = current_;
        bestCost_ = cost;
        bestEffort_ = effort;
    }

    const ChordTones& chord_;
    int bassInterval_;
    const MajorShape& shape_;
    bool open_;
    int anchor_;
    int rootPc_;
    unsigned allowed_;
    std::array<int, 6> current_{};
    std::optional<std::array<int, 6>> best_;
    int bestCost_ = 0;
    int bestEffort_ = 0;
};

// How many of the form's notes a voicing leaves out: nothing when it sounds
// a note the form does not, or leaves out the form's bass or more than two.
std::optional<int> leftOutOf(const FretPattern& voicing, const FretPattern& form)
{
    int left = 0;
    int formBass = -1;
    for (std::size_t s = 0; s < voicing.size(); ++s) {
        if (voicing[s] != kMuted && voicing[s] != form[s])
            return std::nullopt;
        if (form[s] != kMuted) {
            formBass = static_cast<int>(s);
            left += voicing[s] == kMuted;
        }
    }
    if (formBass < 0 || voicing[static_cast<std::size_t>(formBass)] == kMuted || left > 2)
        return std::nullopt;
    return left;
}
} // namespace

ChordForms::ChordForms(const ChordTones& chord, int bassInterval)
    : chord_(chord), bassInterval_(bassInterval)
{
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        open_[i] = Derivation(chord, bassInterval, kShapes[i], true).run();
        movable_[i] = Derivation(chord, bassInterval, kShapes[i], false).run();
    }
}

std::optional<FretPattern> ChordForms::formAt(Shape shape, bool open, int rootPc, int anchor) const
{
    const auto i = static_cast<std::size_t>(shape);
    const auto& offsets = open ? open_[i] : movable_[i];
    const auto& major = kShapes[i];
    if (!offsets || rootPcAt(major, anchor) != rootPc)
        return std::nullopt;
    if (open ? anchor != major.nutAnchor : anchor - major.nutAnchor < 1)
        return std::nullopt;
    FretPattern frets;
    for (std::size_t s = 0; s < frets.size(); ++s) {
        const int offset = (*offsets)[s];
        frets[s] = offset == kSilentOffset ? kMuted : anchor + offset;
        if (frets[s] > kHighestFret)
            return std::nullopt;
    }
    return frets;
}

FormMatch ChordForms::classify(const FretPattern& frets, int rootPc) const
{
    FormMatch best;
    // A voicing without the chord's third is no form, whatever it leaves out.
    if (chord_.third >= 0 && !(heardTones(frets, rootPc) & (1u << chord_.third)))
        return best;
    auto consider = [&](FormClass formClass, const std::optional<FretPattern>& form) {
        if (!form)
            return;
        const auto left = leftOutOf(frets, *form);
        if (left &&
            (formClass < best.formClass || (formClass == best.formClass && *left < best.dropped)))
            best = {formClass, *left};
    };
    for (int i = 0; i < static_cast<int>(kShapes.size()); ++i) {
        const auto shape = static_cast<Shape>(i);
        const auto& major = kShapes[static_cast<std::size_t>(i)];
        consider(FormClass::OpenForm, formAt(shape, true, rootPc, major.nutAnchor));
        // The lowest place up the neck, then an octave higher.
        bool lowest = true;
        for (int anchor = major.nutAnchor + mod12(rootPc - rootPcAt(major, major.nutAnchor));
             anchor <= kHighestFret; anchor += 12) {
            const auto form = formAt(shape, false, rootPc, anchor);
            if (!form)
                continue;
            // The E and A barres in the lower half of the neck: of the two,
            // the lower always stands at fret 7 or below; a barre higher up
            // is one of the forms up the neck.
            const bool lowBarre = lowest && (shape == E || shape == A) && anchor <= kLowBarreFrets;
            consider(lowBarre ? FormClass::LowestBarre : FormClass::OtherForm, form);
            lowest = false;
        }
    }
    if (best.formClass == FormClass::NoForm && isDropForm(frets, rootPc))
        best = {FormClass::OtherForm, 0};
    return best;
}

bool ChordForms::isDropForm(const FretPattern& frets, int rootPc) const
{
    // The four sounding strings from the lowest, and their notes.
    std::vector<int> strings;
    std::vector<int> notes;
    unsigned tones = 0;
    for (int s = 6; s >= 1; --s) {
        if (frets.fret(s) == kMuted)
            continue;
        strings.push_back(s);
        notes.push_back(kOpenStringMidi[static_cast<std::size_t>(s - 1)] + frets.fret(s));
        tones |= 1u << mod12(notes.back() - rootPc);
    }
    if (strings.size() != 4 || std::popcount(tones) != 4)
        return false;
    const int bass = mod12(notes[0] - rootPc);
    if (bass != (bassInterval_ < 0 ? 0 : bassInterval_))
        return false;
    const int b = strings[0];
    const int v1 = notes[0], v2 = notes[1], v3 = notes[2], v4 = notes[3];
    // Drop-2: raising the bass an octave gives a close shape above it.
    if (strings[1] == b - 1 && strings[2] == b - 2 && strings[3] == b - 3)
        return v2 < v3 && v3 < v1 + 12 && v1 + 12 < v4 && v4 - v2 < 12;
    // Drop-3: the same with the string above the bass left out.
    if (strings[1] == b - 2 && strings[2] == b - 3 && strings[3] == b - 4)
        return v2 < v1 + 12 && v1 + 12 < v3 && v3 < v4 && v4 - v2 < 12;
    return false;
}

} // namespace voicings

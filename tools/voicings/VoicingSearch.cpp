#include "VoicingSearch.h"

#include "GripShape.h"
#include "catalogue/ChordNaming.h"
#include "catalogue/Fingering.h"

#include <algorithm>
#include <bit>

namespace voicings {
namespace {
using namespace catalogue;

// A shape that is none of the forms players learn ranks after a form on the
// same part of the neck that costs as much.
constexpr int kNoFormCost = 10;
// An open grip that is no open major shape's own ranks after one that is,
// unless it sums three frets less.
constexpr int kOtherOpenGripCost = 30;
// A barre whose little finger reaches round two fingers (the E-form
// major seventh) comes after the four-note grip of its fret.
constexpr int kCrossedBarreCost = 100;
// The E and A barres lead in the lower half of the neck; for a chord with a
// tension, whose barre adds a stretch, only on the lowest frets.
constexpr int kLowerHalf = 7;
constexpr int kLowFrets = 4;
// A hand spanning five frets works hard; six, only where nothing else
// holds the chord's tones over its bass.
constexpr int kFourFretReach = 200;
constexpr int kFiveFretReach = 800;
// What a grip pays for each string its bass lies above the low E.
constexpr int kHigherBassCost = 20;
// A further voicing with open strings comes after the closed grips, one
// whose hand is away from the nut later still.
constexpr int kOpenAtTheNutCost = 200;
constexpr int kOpenUpTheNeckCost = 400;
// A bass other than the root or the named one: only where no shape a hand
// reaches holds the chord over it.
constexpr int kOtherBassCost = 1500;
constexpr int kNoThirdCost = 60;
// A chord of six tones leaves its root out where no grip over it lies well.
constexpr int kRootlessCost = 1000;
// The lower and middle neck first: a bass note on the narrow frets 13 to 15,
// where the low strings sound dull, only where nothing lower holds a sound
// of its own; on fret 15 hardly ever.
constexpr int kTopFret = 13;
// No voicing sums more frets than the highest of the data the catalogue
// stands for: six strings at frets 14 and 15 are no grip.
constexpr int kHighestFretSum = 84;
constexpr int kTopFretBassCost = 300;
constexpr int kLastFretBassCost = 1200;
// The barres and four-note grips a chord book teaches after the open chord
// come first among its further voicings.
constexpr int kBookBarreBonus = 120;
constexpr int kBookGripBonus = 40;
// A whole step above a bass below G3 blurs a little: such a grip comes
// after one as good without.
constexpr int kLowSecondCost = 50;
// A suspended chord keeps its fifth where the strings have room for it.
constexpr int kSusWithoutFifthCost = 40;
// A first voicing with the hand from fret 7 up only where no lower one holds
// the chord, from fret 8 up later still (the others sum at least as much, so
// they climb with it); and over another bass than the root or the named one
// only where none holds it over that.
constexpr int kMiddleFirstFret = 7;
constexpr int kHighFirstFret = 8;
constexpr int kHighFirstCost = 10000000;
constexpr int kFirstOverOtherBassCost = 2 * kHighFirstCost;
// A chord of six tones that must sound may open with a grip leaving out its
// root, the 7th or the 3rd lowest, where no grip over the root lies low: after
// a grip over the root at fret 7, before one from fret 8 up.
constexpr int kSixTones = 6;
constexpr int kRootlessFirstCost = 3 * kHighFirstCost / 4;
// A grip a player avoids opens a symbol only where nothing else does.
constexpr int kLastResortFirstCost = 4 * kHighFirstCost;

// What the hand's place costs: a stretch over five or six frets, and the
// narrow frets high up the neck.
int reachCost(const Fingering& hand)
{
    const int reach = hand.highest - hand.lowest;
    int cost = reach < 4 ? 0 : reach == 4 ? kFourFretReach : kFiveFretReach;
    if (hand.lowest >= 12)
        cost += 10;
    return cost;
}

struct Search {
    int rootPc;
    const ChordTones& chord;
    int bassInterval;
    unsigned allowed;
    const ChordForms& forms;
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
        if (sounding < kMinSoundingStrings || frets.lowestFret() == 0 ||
            frets.fretSum() > kHighestFretSum)
            return;
        const unsigned heard = heardTones(frets, rootPc);
        const int bass = bassTone(frets, rootPc);
        // Every voicing sounds its root, but a chord of six tones that must
        // sound, which five strings hold only without it. A symbol naming no
        // bass never has a third or a seventh lowest, but for those chords.
        const bool sixTones = chord.mustCount() >= kSixTones;
        if ((!(heard & 1u) && !sixTones) ||
            (bassInterval < 0 && !sixTones && thirdOrSeventh(bass)) ||
            toneFault(heard, bass, chord, bassInterval) != ToneFault::None)
            return;
        const auto hand = fingeringOf(frets);
        const auto reach = reachOf(hand);
        const bool openString = spanOf(frets).open > 0;
        if (!hand.held() || reach == Reach::Beyond ||
            (openString && hand.lowest >= kOpenHandBelow) || hasMutedGap(frets, rootPc) ||
            !givingWayProblem(heard, sounding, chord, bassInterval).empty())
            return;
        // Grips a player avoids, taken only where nothing else fills a slot:
        // a low stretch, the index turned inside the grip, muddy low voices,
        // a #9 rubbing the 3rd, three thin notes high up.
        const bool stretch = reach == Reach::Stretch;
        const bool avoided = isContorted(hand) || muddyLowVoices(frets) ||
                             sharpNineUnderThird(frets, rootPc, chord) || isThinHighGrip(frets);
        const auto form = forms.classify(frets, rootPc);
        const int cost = voicingCost(frets, rootPc, chord, bassInterval, form, hand);
        const int further = furtherCost(frets, hand, form);
        const auto lowest = bassOf(frets);
        static constexpr int kFirstBassCost[] = {0, kRootlessFirstCost, kFirstOverOtherBassCost};
        const int lead = (leadsAtTheNut(chord, bassInterval) ? rankOf(frets, form, hand, cost)
                                                             : closedLead(frets, cost, further)) +
                         (hand.lowest >= kHighFirstFret     ? kHighFirstCost
                          : hand.lowest >= kMiddleFirstFret ? kHighFirstCost / 2
                                                            : 0) +
                         kFirstBassCost[static_cast<int>(lowest)] +
                         (stretch || avoided ? kLastResortFirstCost : 0);
        found.push_back({frets, cost, lead, further, neckPosition(frets), frets.fretSum(), stretch,
                         avoided, lowest == Bass::Other});
    }

    // The lowest note: the root or the named bass; in a grip of a chord of
    // six tones that leaves its root out but keeps its third, the 3rd or the
    // 7th; else another.
    enum class Bass { Wanted, Rootless, Other };
    Bass bassOf(const FretPattern& shape) const
    {
        if (wantedBass(shape))
            return Bass::Wanted;
        const unsigned heard = heardTones(shape, rootPc);
        const bool rootless = !(heard & 1u) && chord.third >= 0 && (heard & (1u << chord.third));
        return rootless && bassInterval < 0 && thirdOrSeventh(bassTone(shape, rootPc))
                   ? Bass::Rootless
                   : Bass::Other;
    }

    // A third or a seventh, minor or major.
    static bool thirdOrSeventh(int interval)
    {
        return interval == 3 || interval == 4 || interval == 10 || interval == 11;
    }

    bool wantedBass(const FretPattern& shape) const
    {
        return bassTone(shape, rootPc) == (bassInterval < 0 ? 0 : bassInterval);
    }

    // What a further voicing costs: the grips players of this music reach
    // for first (four-note grips, then five strings over a damped A string
    // or from the A string, full six-string shapes and other sets last);
    // open strings, which tie a shape to the nut, after every closed grip;
    // the named bass and the third where they can sound; then the hand's
    // effort, its reach and a bass on the top frets. Of a chord taught at
    // the nut, the barres and grips a book teaches next lead.
    int furtherCost(const FretPattern& shape, const Fingering& hand, const FormMatch& form) const
    {
        static constexpr int kFamilyCost[] = {0, 40, 100, 600, 120};
        const auto strings = spanOf(shape);
        int c =
            chord.complete ? triadCost(strings) : kFamilyCost[static_cast<int>(gripFamily(shape))];
        // The lower the bass, the fuller the chord: a bass on string 4 leaves
        // it without its low register. The drop-3 grip from the A string
        // reaches over its damped string to the high E, a wider hand than
        // from the low E.
        c += kHigherBassCost * (6 - strings.bass);
        if (strings.bass == 5 && strings.top == 1 && strings.insideMuted > 0)
            c += 10;
        // Open strings tie a shape to the nut; away from it they ring
        // against a hand far up the neck.
        if (strings.open > 0)
            c += hand.highest > kOpenGripFrets ? kOpenUpTheNeckCost : kOpenAtTheNutCost;
        static constexpr int kBassCost[] = {0, kRootlessCost, kOtherBassCost};
        c += kBassCost[static_cast<int>(bassOf(shape))];
        const unsigned heard = heardTones(shape, rootPc);
        if (chord.third >= 0 && !(heard & (1u << chord.third)))
            c += kNoThirdCost;
        if (chord.third < 0 && (chord.optional & (1u << 7)) && !(heard & (1u << 7)) &&
            strings.sounding > 3)
            c += kSusWithoutFifthCost;
        if (leadsAtTheNut(chord, bassInterval)) {
            if (form.formClass == FormClass::LowestBarre && form.dropped == 0)
                c -= kBookBarreBonus;
            else if (isBookFourNoteGrip(shape, rootPc) && wantedBass(shape))
                c -= kBookGripBonus;
        }
        for (int s = 5; s <= 6; ++s)
            if (shape.fret(s) >= kTopFret)
                c += shape.fret(s) == kHighestFret ? kLastFretBassCost : kTopFretBassCost;
        if (secondAboveLowBass(shape))
            c += kLowSecondCost;
        return c + 2 * hand.effort + reachCost(hand);
    }

    // A chord taught at the nut over a named bass on an open string leads
    // with its own open grip over that string (A/E 002220).
    bool openOverNamedBass(const FretPattern& shape) const
    {
        const auto strings = spanOf(shape);
        if (bassInterval < 0 || !leadsAtTheNut(chord, -1) || shape.fret(strings.bass) != 0)
            return false;
        auto above = shape;
        above[static_cast<std::size_t>(strings.bass - 1)] = kMuted;
        return isOpenGrip(above, rootPc, chord, -1, fingeringOf(above));
    }

    // A triad type is the close triad on three adjacent strings, at home on
    // the middle ones.
    static int triadCost(const StringSpan& strings)
    {
        if (strings.sounding > 3 || strings.insideMuted > 0)
            return 100;
        return strings.bass == 4 ? 0 : 10;
    }

    // As the first voicing of a chord players take as a closed grip: a
    // closed grip (a close triad for a triad type) over the named bass,
    // lowest on the neck, then the rest. A chord taught at the nut over a
    // named bass on an open string leads with its open grip over it.
    int closedLead(const FretPattern& shape, int cost, int further) const
    {
        if (openOverNamedBass(shape))
            return 10 * shape.fretSum() + cost;
        const auto strings = spanOf(shape);
        const auto family = gripFamily(shape);
        const bool grip = chord.complete ? triadCost(strings) < 100
                                         : family != GripFamily::Six && family != GripFamily::Other;
        const bool closed = strings.open == 0 && wantedBass(shape) && grip;
        return (closed ? 100000 : 1100000) + 20 * handPosition(shape) + further;
    }

    // The order a chord book shows a chord's grips in: the open grips at the
    // nut, the lowest fret sum first; then, for a chord of four tones that
    // all sound, its four-note grips, or else the low E and A barres by their
    // place on the neck; then the other shapes with the root (or the named
    // bass) lowest and the third sounding, by where the hand sits on the
    // neck, the forms players learn a little ahead; then the rest.
    int rankOf(const FretPattern& shape, const FormMatch& form, const Fingering& hand,
               int cost) const
    {
        const bool wholeOpenForm = form.formClass == FormClass::OpenForm && form.dropped == 0;
        if (wholeOpenForm)
            return 10 * shape.fretSum() + cost;
        if (isOpenGrip(shape, rootPc, chord, bassInterval, hand))
            return 10 * shape.fretSum() + cost + kOtherOpenGripCost;
        if (isFourToneChord(chord)) {
            if (isBookFourNoteGrip(shape, rootPc) && spanOf(shape).open == 0)
                return 100000 + 20 * handPosition(shape) + cost;
        } else if (form.formClass <= FormClass::LowestBarre &&
                   hand.lowest <= (hasTensions(chord, bassInterval) ? kLowFrets : kLowerHalf)) {
            return 100000 + 1000 * hand.lowest + cost +
                   (reachesRoundTwoFingers(hand) ? kCrossedBarreCost : 0);
        }
        const int noForm = form.formClass == FormClass::NoForm ? kNoFormCost : 0;
        const bool namedBass = bassTone(shape, rootPc) == (bassInterval < 0 ? 0 : bassInterval);
        const bool third = chord.third < 0 || (heardTones(shape, rootPc) & (1u << chord.third));
        return (namedBass && third ? 200000 : 300000) + 20 * handPosition(shape) + cost + noForm;
    }

    // Where most of the hand sits: the middle one of the fretted notes, so a
    // single finger reaching back does not move the shape down the neck.
    static int handPosition(const FretPattern& frets)
    {
        std::vector<int> fretted;
        for (int f : frets)
            if (f > 0)
                fretted.push_back(f);
        std::sort(fretted.begin(), fretted.end());
        return fretted[fretted.size() / 2];
    }
};
} // namespace

int neckPosition(const FretPattern& frets)
{
    const bool open = std::find(frets.begin(), frets.end(), 0) != frets.end();
    return open ? 0 : frets.lowestFret();
}

int voicingCost(const FretPattern& frets, int rootPc, const ChordTones& chord, int bassInterval,
                const FormMatch& form, const Fingering& hand)
{
    const unsigned heard = heardTones(frets, rootPc);
    const int bass = bassTone(frets, rootPc);
    int cost = 0;

    // Tones: the root in the bass unless a slash names another; the third
    // sounds unless the chord has too many tones for the hand.
    const bool noThird = chord.third >= 0 && !(heard & (1u << chord.third));
    if (noThird)
        cost += 160;
    // Triad types are close three-note shapes in any inversion.
    if (bassInterval < 0 && bass != 0 && !chord.complete)
        cost += 120;
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
    int open = 0;
    for (int s = top; s <= bottom; ++s) {
        const int f = frets[static_cast<std::size_t>(s)];
        sounding += f != kMuted;
        inside += f == kMuted;
        open += f == 0;
    }
    // A four-note shape skipping only the string above its bass (drop-3) is a
    // standard grip; any other silent string inside costs more.
    const bool dropThree = open == 0 && sounding == 4 && inside == 1 &&
                           frets[static_cast<std::size_t>(bottom - 1)] == kMuted &&
                           std::popcount(heard) == 4;
    cost += dropThree ? 5 : 25 * inside;
    // A chord of four tones is whole on four strings: its grips are made on
    // their own string sets, the top string often among those left out.
    if (top > 0 && !(isFourToneChord(chord) && isBookFourNoteGrip(frets, rootPc)))
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
    // A form with notes left out is a lesser copy of the whole form.
    cost += 15 * form.dropped;

    // Hand: the fingering's effort, lower positions first. Open strings help
    // only in an open form at the nut; elsewhere they dodge a barre or make
    // an awkward reach.
    cost += 2 * hand.effort;
    if (form.formClass != FormClass::OpenForm) {
        cost += 10 * open;
        if (open && hand.highest >= 5)
            cost += 25 + 5 * (hand.highest - 5);
    }
    if (secondAboveLowBass(frets))
        cost += kLowSecondCost;
    return cost + hand.lowest / 2 + reachCost(hand);
}

std::vector<Candidate> legalVoicings(int rootPc, const ChordTones& chord, int bassInterval)
{
    const ChordForms forms(chord, bassInterval);
    Search search{rootPc, chord, bassInterval, allowedTones(chord, bassInterval), forms, {}, {}};
    search.choose(5, kHighestFret + 1, 0);
    auto& found = search.found;
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.frets < b.frets;
    });
    return std::move(found);
}

} // namespace voicings

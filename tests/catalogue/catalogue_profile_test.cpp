// The catalogue's character: four-note grips spread over the neck, within a
// hand's reach, against the shape figures of the data it stands for; and,
// record by record and symbol by symbol, the rules that make it a catalogue
// a player can use.
#include "CommittedCatalogue.h"
#include "GripShape.h"
#include "catalogue/ChordNaming.h"
#include "catalogue/ChordTones.h"
#include "catalogue/Fingering.h"
#include "catalogue/Vocabularies.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <map>
#include <set>

using namespace catalogue;

namespace {

// Silent strings as a set of string numbers, "1,5" for strings 1 and 5.
std::string silentSet(const FretPattern& p)
{
    std::string out;
    for (int s = 1; s <= 6; ++s)
        if (p.fret(s) == kMuted)
            out += (out.empty() ? "" : ",") + std::to_string(s);
    return out;
}

int frettedSpan(const FretPattern& p)
{
    return p.highestFret() - p.lowestFret();
}

// Half the summed difference of the shares: 0 for the same profile.
template <typename Key>
double distance(const std::map<Key, int>& ours, const std::map<Key, int>& theirs)
{
    double a = 0, b = 0;
    for (const auto& [k, n] : ours)
        a += n;
    for (const auto& [k, n] : theirs)
        b += n;
    std::set<Key> keys;
    for (const auto& [k, n] : ours)
        keys.insert(k);
    for (const auto& [k, n] : theirs)
        keys.insert(k);
    double sum = 0;
    for (const auto& k : keys) {
        const double x = ours.count(k) ? ours.at(k) / a : 0;
        const double y = theirs.count(k) ? theirs.at(k) / b : 0;
        sum += std::abs(x - y);
    }
    return sum / 2;
}

std::string describe(const Acorde& r, const FretPattern& p)
{
    return r.Cifra + " " + p.format();
}

// One record with its frets, and whether it opens its symbol.
struct Record {
    const Acorde& acorde;
    FretPattern frets;
    bool first;
};

// How many records, and how many first voicings, `marked` marks.
template <typename Marked> std::pair<int, int> countOf(Marked marked)
{
    std::pair<int, int> count{0, 0};
    std::string previous;
    for (const auto& r : *committedCatalogue()) {
        const Record record{*r, *FretPattern::of(*r), r->Cifra != previous};
        previous = r->Cifra;
        if (marked(record)) {
            ++count.first;
            count.second += record.first;
        }
    }
    return count;
}

bool isSixToneChord(const Acorde& r)
{
    return chordTonesOf(r.Tipo)->mustCount() >= 6;
}

} // namespace

TEST(CatalogueProfile, ShapesLikeTheDataItStandsFor)
{
    // The figures of the catalogue the program stands for.
    const std::map<int, int> strings = {{3, 126}, {4, 2849}, {5, 1809}, {6, 173}};
    const std::map<std::string, int> silent = {
        {"", 173},     {"6", 933},   {"5", 811},     {"1,5", 1044}, {"1,6", 951},
        {"5,6", 555},  {"4,6", 281}, {"1,5,6", 113}, {"1", 64},     {"1,2", 17},
        {"4,5,6", 11}, {"1,2,6", 1}, {"4", 1},       {"1,2,5", 1},  {"2,5", 1}};
    const std::map<int, int> spans = {{0, 164}, {1, 1025}, {2, 2100}, {3, 1276}, {4, 364}, {5, 28}};

    std::map<int, int> ourStrings;
    std::map<std::string, int> ourSilent;
    std::map<int, int> ourSpans;
    int silentInside = 0;
    int openString = 0;
    for (const auto& r : *committedCatalogue()) {
        const auto p = *FretPattern::of(*r);
        const auto sounded = p.soundedStrings();
        ++ourStrings[static_cast<int>(sounded.size())];
        ++ourSilent[silentSet(p)];
        ++ourSpans[frettedSpan(p)];
        bool inside = false;
        for (int s = sounded.front(); s < sounded.back(); ++s)
            inside = inside || p.fret(s) == kMuted;
        silentInside += inside;
        openString += std::find(p.begin(), p.end(), 0) != p.end();
    }
    EXPECT_LE(distance(ourStrings, strings), 0.15);
    EXPECT_LE(distance(ourSilent, silent), 0.15);
    EXPECT_LE(distance(ourSpans, spans), 0.15);
    EXPECT_GE(silentInside, 1600);
    EXPECT_LE(openString, 600);
    EXPECT_LE(ourSpans[5], 28);
    EXPECT_LE(ourSpans[4], 400);
}

TEST(CatalogueProfile, EveryShapeWithinAHandsReach)
{
    // The frets are widest at the nut: with the hand at fret 6 or lower index
    // and little finger lie three frets apart, four only from fret 7 up; a
    // stretch of four at fret 5 or 6 only where no other grip fills a slot.
    const auto [stretches, first] = countOf([](const Record& r) {
        const auto reach = reachOf(fingeringOf(r.frets));
        EXPECT_NE(reach, Reach::Beyond) << describe(r.acorde, r.frets);
        return reach == Reach::Stretch;
    });
    EXPECT_LE(stretches, 40);
    EXPECT_LE(first, 10);
}

TEST(CatalogueProfile, NoHandTurnsInsideTheGrip)
{
    // The index alone on a string with fingers three frets up on both sides
    // of it: never a first voicing, and few others.
    const auto [contorted, first] =
        countOf([](const Record& r) { return isContorted(fingeringOf(r.frets)); });
    EXPECT_LE(contorted, 20);
    EXPECT_EQ(first, 0);
}

TEST(CatalogueProfile, TheChordSoundsClear)
{
    // The #9 over the 3rd, the two lowest notes apart, four notes or more
    // high on the neck.
    const auto [sharpNine, sharpNineFirst] = countOf([](const Record& r) {
        return voicings::sharpNineUnderThird(r.frets, *pitchClass(rootName(r.acorde.Tonica)),
                                             *chordTonesOf(r.acorde.Tipo));
    });
    EXPECT_LE(sharpNine, 10);
    EXPECT_EQ(sharpNineFirst, 0);
    const auto [muddy, muddyFirst] =
        countOf([](const Record& r) { return voicings::muddyLowVoices(r.frets); });
    EXPECT_LE(muddy, 10);
    EXPECT_LE(muddyFirst, 3);
    EXPECT_EQ(countOf([](const Record& r) { return voicings::isThinHighGrip(r.frets); }).first, 0);
}

TEST(CatalogueProfile, AClearBass)
{
    // A symbol that names no bass never has its 3rd or 7th lowest, and
    // rarely another tone than its root; the chords of six tones that must
    // sound, whose low grips may leave the root out, and the fixed records
    // aside.
    int position = 0;
    const auto [otherBass, first] = countOf([&](const Record& r) {
        if (fixedPositions().count(++position) || isSlashType(r.acorde.Tipo) ||
            isSixToneChord(r.acorde))
            return false;
        const int lowest = bassTone(r.frets, *pitchClass(rootName(r.acorde.Tonica)));
        EXPECT_TRUE(lowest != 3 && lowest != 4 && lowest != 10 && lowest != 11)
            << describe(r.acorde, r.frets);
        return lowest != 0;
    });
    EXPECT_LE(otherBass, 30);
    EXPECT_EQ(first, 0);
}

TEST(CatalogueProfile, TonesGiveWayInTheirOrder)
{
    // Where a voicing leaves out a tone that must sound, its strings could
    // not hold them all; it sounds no tone that may sound instead; and the
    // third goes only after the root, where the root may go, and only where
    // the tones that must sound still outnumber the strings.
    int position = 0;
    for (const auto& r : *committedCatalogue()) {
        ++position;
        const auto p = *FretPattern::of(*r);
        if (fixedPositions().count(position))
            continue;
        const auto& chord = *chordTonesOf(r->Tipo);
        const int root = *pitchClass(rootName(r->Tonica));
        const unsigned heard = heardTones(p, root);
        const unsigned missing = chord.must & ~heard;
        if (!missing)
            continue;
        const int bass = isSlashType(r->Tipo) ? bassTone(p, root) : -1;
        const unsigned named = bass >= 0 ? 1u << bass : 0u;
        const int tones = std::popcount(chord.must | named);
        const int strings = static_cast<int>(p.soundedStrings().size());
        EXPECT_EQ(heard & ~(chord.must | named), 0u) << describe(*r, p);
        EXPECT_GT(tones, strings) << describe(*r, p);
        if (chord.third >= 0 && (missing & (1u << chord.third)) && chord.extended) {
            EXPECT_TRUE(missing & 1u) << describe(*r, p) << ": the third went before the root";
            EXPECT_GT(tones - 1, strings) << describe(*r, p);
        }
    }
}

TEST(CatalogueProfile, EachSymbolOverTheNeckWithoutNearCopies)
{
    // A symbol of three or more voicings shows them in two regions of the
    // neck at least (lowest fretted fret 1-4, 5-9, 10-15), unless its first
    // voicing, the one of the lowest fret sum, lies in the top region, where
    // the others, summing at least as much, follow it, or where only another
    // bass than the root would reach a second region (a few); and no two of
    // a symbol's voicings differ on one string only, but where both are
    // fixed.
    struct Voicing {
        FretPattern frets;
        bool fixed;
    };
    std::map<std::string, std::vector<Voicing>> bySymbol;
    int position = 0;
    for (const auto& r : *committedCatalogue()) {
        ++position;
        bySymbol[r->Cifra].push_back({*FretPattern::of(*r), fixedPositions().count(position) > 0});
    }
    int spread = 0;
    int oneRegion = 0;
    for (const auto& [symbol, voicings] : bySymbol) {
        std::set<int> regions;
        bool allFixed = true;
        for (const auto& v : voicings) {
            const int lowest = v.frets.lowestFret();
            regions.insert(lowest >= 10 ? 2 : lowest >= 5 ? 1 : 0);
            allFixed = allFixed && v.fixed;
        }
        const bool firstAtTheTop = voicings.front().frets.lowestFret() >= 10;
        if (voicings.size() >= 3 && !allFixed && !firstAtTheTop) {
            oneRegion += regions.size() < 2;
            ++spread;
        }
        for (std::size_t i = 0; i < voicings.size(); ++i)
            for (std::size_t j = i + 1; j < voicings.size(); ++j) {
                if (voicings[i].fixed && voicings[j].fixed)
                    continue;
                int differ = 0;
                for (std::size_t s = 0; s < 6; ++s)
                    differ += voicings[i].frets[s] != voicings[j].frets[s];
                EXPECT_GE(differ, 2) << symbol << " " << voicings[i].frets.format() << " and "
                                     << voicings[j].frets.format();
            }
    }
    EXPECT_EQ(spread, 999);
    EXPECT_LE(oneRegion, 6);
}

TEST(CatalogueProfile, TheLowerAndMiddleNeckFirst)
{
    // Fret 15 as often as in the data the catalogue stands for, and hardly
    // on the two bass strings; no fret sum above its highest. Hardly a
    // symbol of two or more voicings lacks one with the hand below fret 7,
    // and hardly a first voicing has the hand from fret 8 up.
    int fret15 = 0;
    int bass15 = 0;
    int highestSum = 0;
    std::map<std::string, std::vector<FretPattern>> bySymbol;
    for (const auto& r : *committedCatalogue()) {
        const auto p = *FretPattern::of(*r);
        for (int s = 1; s <= 6; ++s) {
            fret15 += p.fret(s) == kHighestFret;
            bass15 += s >= 5 && p.fret(s) == kHighestFret;
        }
        highestSum = std::max(highestSum, p.fretSum());
        bySymbol[r->Cifra].push_back(p);
    }
    EXPECT_LE(fret15, 301);
    EXPECT_LE(bass15, 14);
    EXPECT_LE(highestSum, 84);
    int firstHigh = 0;
    int withoutLow = 0;
    for (const auto& [symbol, voicings] : bySymbol) {
        firstHigh += voicings.front().lowestFret() >= 8;
        withoutLow += voicings.size() >= 2 &&
                      std::none_of(voicings.begin(), voicings.end(),
                                   [](const FretPattern& p) { return p.lowestFret() < 7; });
    }
    EXPECT_LE(withoutLow, 9);
    EXPECT_LE(firstHigh, 10);
}

TEST(CatalogueProfile, EveryVoicingHeldByAHandWithASoundOfItsOwn)
{
    // Record by record, but the fixed ones: a hand holds it, and an open
    // string rings only under a hand below fret 7. Symbol by symbol: no two
    // voicings sound the same notes in the same octaves, and the first of a
    // symbol naming no bass has its root lowest, but for chords of six tones
    // that must sound, which no grip may hold over their root.
    std::map<std::string, std::vector<std::pair<FretPattern, bool>>> bySymbol;
    int otherBass = 0;
    int position = 0;
    for (const auto& r : *committedCatalogue()) {
        const auto p = *FretPattern::of(*r);
        const bool fixed = fixedPositions().count(++position) > 0;
        const bool first = bySymbol[r->Cifra].empty();
        bySymbol[r->Cifra].emplace_back(p, fixed);
        if (fixed)
            continue;
        EXPECT_TRUE(fingeringOf(p).held()) << describe(*r, p);
        if (std::find(p.begin(), p.end(), 0) != p.end()) {
            EXPECT_LT(p.lowestFret(), 7) << describe(*r, p);
        }
        if (isSlashType(r->Tipo))
            continue;
        const bool rootLowest = bassTone(p, *pitchClass(rootName(r->Tonica))) == 0;
        if (first && chordTonesOf(r->Tipo)->mustCount() < 6) {
            EXPECT_TRUE(rootLowest) << describe(*r, p);
        }
        otherBass += !rootLowest;
    }
    EXPECT_LE(otherBass, 170);
    for (const auto& [symbol, voicings] : bySymbol)
        for (std::size_t i = 0; i < voicings.size(); ++i)
            for (std::size_t j = i + 1; j < voicings.size(); ++j)
                if (!voicings[i].second || !voicings[j].second) {
                    EXPECT_NE(voicings[i].first.pitches(), voicings[j].first.pitches())
                        << symbol << " " << voicings[i].first.format() << " and "
                        << voicings[j].first.format();
                }
}

// The catalogue's character: four-note grips spread over the neck, within a
// hand's reach, against the shape figures of the data it stands for; and,
// record by record and symbol by symbol, the rules that make it a catalogue
// a player can use.
#include "CommittedCatalogue.h"
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
    // The frets are widest at the nut: below fret 5 the highest fretted note
    // lies at most three frets above the lowest, from fret 5 four, and five
    // only from fret 7 up.
    for (const auto& r : *committedCatalogue()) {
        const auto p = *FretPattern::of(*r);
        const int lowest = p.lowestFret();
        const int most = lowest < 5 ? 3 : lowest < 7 ? 4 : 5;
        EXPECT_LE(frettedSpan(p), most) << describe(*r, p);
    }
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
    // the others, summing at least as much, follow it; and no two of a
    // symbol's voicings differ on one string only, but where both are fixed.
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
            EXPECT_GE(regions.size(), 2u) << symbol;
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
    EXPECT_EQ(spread, 994);
}

TEST(CatalogueProfile, TheLowerAndMiddleNeckFirst)
{
    // Fret 15 as often as in the data the catalogue stands for, and hardly
    // on the two bass strings; no fret sum above its highest. A symbol of
    // two or more voicings has one with the hand below fret 7 unless its
    // first, of the lowest fret sum, lies higher already.
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
    for (const auto& [symbol, voicings] : bySymbol) {
        firstHigh += voicings.front().lowestFret() >= 8;
        const bool low = std::any_of(voicings.begin(), voicings.end(),
                                     [](const FretPattern& p) { return p.lowestFret() < 7; });
        if (voicings.size() >= 2 && voicings.front().lowestFret() < 7) {
            EXPECT_TRUE(low) << symbol;
        }
    }
    EXPECT_LE(firstHigh, 25);
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

// The first voicing of a symbol is the one the main screen shows when the
// chord is picked: the shape a chord book shows first.
#include "BookOrder.h"
#include "CommittedCatalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/ChordNaming.h"
#include "catalogue/Fingering.h"

#include <gtest/gtest.h>

#include <map>

using namespace catalogue;

namespace {

const std::map<std::string, FretPattern>& firstVoicings()
{
    static const auto first = [] {
        std::map<std::string, FretPattern> out;
        for (const auto& r : *committedCatalogue())
            out.emplace(r->Cifra, *FretPattern::of(*r));
        return out;
    }();
    return first;
}

int noteOf(const FretPattern& p, int string)
{
    return kOpenStringMidi[static_cast<std::size_t>(string - 1)] + p.fret(string);
}

bool rootInBass(const FretPattern& p, int rootPc)
{
    const int bass = p.soundedStrings().back();
    return noteOf(p, bass) % 12 == rootPc;
}

// At the nut: open strings sound, every fretted note within fret 3.
bool isOpenForm(const FretPattern& p, int rootPc)
{
    const bool open = std::find(p.begin(), p.end(), 0) != p.end();
    return open && p.highestFret() <= 3 && rootInBass(p, rootPc);
}

// The index bars from the root string (6 for the E form, 5 for the A form)
// to string 1, every other note within two frets above it.
bool isBarreForm(const FretPattern& p, int rootPc, int rootString)
{
    const int barre = p.fret(rootString);
    if (barre < 1 || p.fret(1) != barre || !rootInBass(p, rootPc) ||
        p.soundedStrings().back() != rootString)
        return false;
    for (int s = 1; s <= rootString; ++s)
        if (p.fret(s) < barre || p.fret(s) > barre + 2)
            return false;
    return true;
}

// Four strings from the root on the low E, the A string silent, the top
// string too.
bool isGripFromTheLowE(const FretPattern& p, int rootPc)
{
    return p.soundedStrings() == std::vector<int>{2, 3, 4, 6} && rootInBass(p, rootPc);
}

} // namespace

TEST(FirstVoicings, TheShapesPlayersExpect)
{
    const std::map<std::string, FretPattern> expected = {
        {"Bm", book({kMuted, 2, 4, 4, 3, 2})},     {"Cm", book({kMuted, 3, 5, 5, 4, 3})},
        {"Bb", book({kMuted, 1, 3, 3, 3, 1})},     {"C#m", book({kMuted, 4, 6, 6, 5, 4})},
        {"G#m", book({4, 6, 6, 4, 4, 4})},         {"Bsus", book({kMuted, 2, 4, 4, 5, 2})},
        {"Bbmaj7", book({kMuted, 1, 3, 2, 3, 1})}, {"C6", book({kMuted, 3, 2, 2, 1, 0})},
    };
    for (const auto& [symbol, frets] : expected)
        EXPECT_EQ(firstVoicings().at(symbol).format(), frets.format()) << symbol;
}

TEST(FirstVoicings, ExtendedChordsStartLowOnTheNeck)
{
    // Where no barre of the E or A form lies in the lower half of the neck,
    // the first shape is a low one, not a form far up that would push every
    // other voicing of the symbol up there too; an altered chord's is a
    // closed grip, unless one at the nut lets every other voicing sound over
    // the root (E7(13/b9): a closed first voicing summing more keeps the grips
    // over E that sum less out).
    const std::map<std::string, FretPattern> expected = {
        {"C7(9)", book({kMuted, 3, 2, 3, 3, 3})},     {"Cm7(9)", book({kMuted, 3, 1, 3, 3, 3})},
        {"C6/9", book({kMuted, 3, 2, 2, 3, kMuted})}, {"Cdim", book({kMuted, 3, 4, 2, 4, kMuted})},
        {"E7(13/b9)", book({0, 4, 3, 1, 3, kMuted})}, {"E7(9/b13)", book({kMuted, 7, 6, 7, 7, 8})},
    };
    for (const auto& [symbol, frets] : expected)
        EXPECT_EQ(firstVoicings().at(symbol).format(), frets.format()) << symbol;
}

TEST(FirstVoicings, CommonChordsOpenOrOnAnEOrABarre)
{
    int checked = 0;
    for (const char* root : {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}) {
        const int rootPc = *pitchClass(root);
        for (const char* type : {"", "m", "7", "m7", "maj7"}) {
            const std::string symbol = std::string(root) + type;
            const auto& p = firstVoicings().at(symbol);
            // A major seventh may open with the grip from the low E whose
            // fingers the barre would cross (F#maj7 2x332x).
            EXPECT_TRUE(isOpenForm(p, rootPc) || isBarreForm(p, rootPc, 6) ||
                        isBarreForm(p, rootPc, 5) ||
                        (std::string(type) == "maj7" && isGripFromTheLowE(p, rootPc)))
                << symbol << " " << p.format();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 60);
}

TEST(FirstVoicings, NoRecordNeedsMoreThanFourFingers)
{
    for (const auto& r : *committedCatalogue()) {
        const auto p = *FretPattern::of(*r);
        const auto hand = fingeringOf(p);
        EXPECT_LE(hand.needed, kFingers) << r->Cifra << " " << p.format();
        EXPECT_GE(hand.lowest, 1) << r->Cifra << " " << p.format() << ": nothing fretted";
    }
}

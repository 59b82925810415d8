#include "catalogue/ChordTones.h"

#include "catalogue/ChordNaming.h"

#include <bit>
#include <sstream>
#include <stdexcept>

namespace catalogue {
namespace {

constexpr int kRoot = 0;
constexpr int kFifth = 7;

int degree(std::string_view d)
{
    static const std::pair<std::string_view, int> kDegrees[] = {
        {"1", 0}, {"b9", 1}, {"9", 2},   {"b3", 3},  {"#9", 3}, {"3", 4},  {"17", 4},
        {"4", 5}, {"11", 5}, {"b5", 6},  {"#11", 6}, {"5", 7},  {"#5", 8}, {"b13", 8},
        {"6", 9}, {"13", 9}, {"bb7", 9}, {"b7", 10}, {"7", 11}};
    for (const auto& [name, semis] : kDegrees)
        if (name == d)
            return semis;
    throw std::logic_error("unknown degree " + std::string(d));
}

unsigned maskOf(std::string_view degrees)
{
    unsigned mask = 0;
    std::istringstream in{std::string(degrees)};
    std::string d;
    while (in >> d)
        mask |= 1u << degree(d);
    return mask;
}

struct Row {
    const char* tipo;
    const char* must;
    const char* optional;
};

// One row per type text: must sound, may also sound.
constexpr Row kRows[] = {
    {"  . ", "1 3", "5"},
    {" / ", "1 3", "5"},
    {"  triad ", "1 3 5", ""},
    {" add9 ", "1 3 9", "5"},
    {" add9/ ", "1 3 9", "5"},
    {" 6 ", "1 3 6", "5"},
    {" 6/ ", "1 3 6", "5"},
    {" maj7 ", "1 3 7", "5"},
    {" maj7/ ", "1 3 7", "5"},
    {" maj7(9) ", "1 3 7 9", "5"},
    {" maj7(9)/ ", "1 3 7 9", "5"},
    {" 6/9 ", "1 3 6 9", "5"},
    {" maj7(6) ", "1 3 7 6", "5"},
    {" maj7(b5) ", "1 3 7 b5", ""},
    {" maj7(#11) ", "1 3 7 #11", "5"},
    {" maj7(#5) ", "1 3 7 #5", ""},
    {" maj7(6/9) ", "1 3 7 6 9", "5"},
    {" maj7(9/b5) ", "1 3 7 9 b5", ""},
    {" maj7(9/#11) ", "1 3 7 9 #11", "5"},
    {" maj7(#5/9) ", "1 3 7 #5 9", ""},
    {" maj7(#5#11) ", "1 3 7 #5 #11", ""},
    {" maj7(#11/#9) ", "1 3 7 #11 #9", "5"},
    {" m ", "1 b3", "5"},
    {" m/ ", "1 b3", "5"},
    {" m triad ", "1 b3 5", ""},
    {" m(add4) ", "1 b3 4", "5"},
    {" m(add9) ", "1 b3 9", "5"},
    {" m7 ", "1 b3 b7", "5"},
    {" m7/ ", "1 b3 b7", "5"},
    {" m7(9) ", "1 b3 b7 9", "5"},
    {" m7(9)/ ", "1 b3 b7 9", "5"},
    {" m11 ", "1 b3 b7 11", "5 9"},
    {" m7(9/11) ", "1 b3 b7 9 11", "5"},
    {" m7(9/11)/ ", "1 b3 b7 9 11", "5"},
    {" m6 ", "1 b3 6", "5"},
    {" m6/ ", "1 b3 6", "5"},
    {" m(6/9) ", "1 b3 6 9", "5"},
    {" m(6/9/11) ", "1 b3 6 9 11", "5"},
    {" m13 ", "1 b3 b7 13", "5 9 11"},
    {" m maj7 ", "1 b3 7", "5"},
    {" m(maj7)/ ", "1 b3 7", "5"},
    {" m maj7(9) ", "1 b3 7 9", "5"},
    {" m maj7(6) ", "1 b3 7 6", "5"},
    {" m maj7(11) ", "1 b3 7 11", "5"},
    {" m maj7(9/11) ", "1 b3 7 9 11", "5"},
    {" m maj7(6/9) ", "1 b3 7 6 9", "5"},
    {" m7(b5) ", "1 b3 b5 b7", ""},
    {" m7(b5/9) ", "1 b3 b5 b7 9", ""},
    {" m7(b5/11) ", "1 b3 b5 b7 11", ""},
    {" m7(b5/9/11) ", "1 b3 b5 b7 9 11", ""},
    {" 7 ", "1 3 b7", "5"},
    {" 7/ ", "1 3 b7", "5"},
    {" 7(9) ", "1 3 b7 9", "5"},
    {" 7(13) ", "1 3 b7 13", "5"},
    {" 7(#11) ", "1 3 b7 #11", "5"},
    {" 7(b5) ", "1 3 b5 b7", ""},
    {" 7(#5) ", "1 3 #5 b7", ""},
    {" 7(b13) ", "1 3 b7 b13", "5"},
    {" 7(b13)/ ", "1 3 b7 b13", "5"},
    {" 7(b9) ", "1 3 b7 b9", "5"},
    {" 7(#9) ", "1 3 b7 #9", "5"},
    {" 7(9/#11) ", "1 3 b7 9 #11", "5"},
    {" 7(9/b5) ", "1 3 b5 b7 9", ""},
    {" 7(9/#5) ", "1 3 #5 b7 9", ""},
    {" 7(9/b13) ", "1 3 b7 9 b13", "5"},
    {" 7(9/#11/13) ", "1 3 b7 9 #11 13", "5"},
    {" 7(b5/#9) ", "1 3 b5 b7 #9", ""},
    {" 7(b5/b9) ", "1 3 b5 b7 b9", ""},
    {" 7(#5/#9) ", "1 3 #5 b7 #9", ""},
    {" 7(#9/#11) ", "1 3 b7 #9 #11", "5"},
    {" 7(#5/b9) ", "1 3 #5 b7 b9", ""},
    {" 7(b9/#11) ", "1 3 b7 b9 #11", "5"},
    {" 7(13/#9) ", "1 3 b7 13 #9", "5"},
    {" 7(13/b9) ", "1 3 b7 13 b9", "5"},
    {" 7(b9/b13) ", "1 3 b7 b9 b13", "5"},
    {" 7(#9/b13) ", "1 3 b7 #9 b13", "5"},
    {" 7(b9/#11/13) ", "1 3 b7 b9 #11 13", "5"},
    {" 7(b9/b5/13) ", "1 3 b5 b7 b9 13", ""},
    {" sus ", "1 4", "5"},
    {" sus7 ", "1 4 b7", "5"},
    {" sus7(9) ", "1 4 b7 9", "5"},
    {" sus7(13) ", "1 4 b7 13", "5"},
    {" sus7(b9) ", "1 4 b7 b9", "5"},
    {" sus7(b9/13) ", "1 4 b7 b9 13", "5"},
    {" sus7(b13/b9) ", "1 4 b7 b13 b9", "5"},
    {" sus7(17) ", "1 4 b7 17", "5"},
    {" dim ", "1 b3 b5 bb7", ""},
    {" dim(b13) ", "1 b3 bb7 b13", "b5"},
    {" dim(maj7) ", "1 b3 b5 7", "bb7"},
    {" dim(9) ", "1 b3 b5 bb7 9", ""},
    {" dim(4) ", "1 b5 bb7 4", "b3"},
};

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

ChordTones makeEntry(const Row& row)
{
    ChordTones c;
    c.tipo = row.tipo;
    c.must = maskOf(row.must);
    c.optional = maskOf(row.optional);
    std::string_view tipo = row.tipo;
    bool sus = contains(tipo, "sus");
    if (!sus) {
        // The major third, unless the chord is minor or diminished (where 3
        // semitones is the third, not a #9).
        if (c.must & (1u << 4))
            c.third = 4;
        else if (c.must & (1u << 3))
            c.third = 3;
    }
    c.complete = contains(tipo, "triad");
    // A sixth or seventh chord (or diminished seventh) that names a tension.
    bool sixthOrSeventh = contains(tipo, "6") || contains(tipo, "7") || contains(tipo, "11") ||
                          contains(tipo, "13") || contains(tipo, "dim");
    bool tension = contains(tipo, "9") || contains(tipo, "11") || contains(tipo, "13");
    c.extended = sixthOrSeventh && tension;
    return c;
}

std::string intervalsText(unsigned mask)
{
    std::string s;
    for (int i = 0; i < 12; ++i)
        if (mask & (1u << i))
            s += (s.empty() ? "" : " ") + std::to_string(i);
    return s;
}
} // namespace

int ChordTones::mustCount() const
{
    return std::popcount(must);
}

const std::vector<ChordTones>& chordTypes()
{
    static const std::vector<ChordTones> types = [] {
        std::vector<ChordTones> list;
        for (const auto& row : kRows)
            list.push_back(makeEntry(row));
        return list;
    }();
    return types;
}

const ChordTones* chordTonesOf(std::string_view tipo)
{
    for (const auto& c : chordTypes())
        if (c.tipo == tipo)
            return &c;
    return nullptr;
}

unsigned allowedTones(const ChordTones& chord, int bassInterval)
{
    unsigned allowed = chord.must | chord.optional;
    if (bassInterval >= 0)
        allowed |= 1u << bassInterval;
    return allowed;
}

ToneFault toneFault(unsigned heard, int bass, const ChordTones& chord, int bassInterval)
{
    if (heard & ~allowedTones(chord, bassInterval))
        return ToneFault::ForeignTone;
    if (bassInterval >= 0 && bass != bassInterval)
        return ToneFault::WrongBass;
    unsigned missing = chord.must & ~heard;
    if (chord.complete && missing)
        return ToneFault::IncompleteTriad;
    missing &= ~(1u << kFifth);
    bool noRoot = missing & (1u << kRoot);
    bool noThird = chord.third >= 0 && (missing & (1u << chord.third));
    missing &= ~(1u << kRoot);
    if (chord.third >= 0)
        missing &= ~(1u << chord.third);
    if (missing)
        return ToneFault::MissingTone;
    if (noRoot && !chord.extended)
        return ToneFault::RootLeftOut;
    if (noThird && chord.mustCount() < 5)
        return ToneFault::ThirdLeftOut;
    if (noRoot && noThird && chord.mustCount() < 6)
        return ToneFault::RootAndThirdLeftOut;
    return ToneFault::None;
}

std::string toneProblem(unsigned heard, int bass, const ChordTones& chord, int bassInterval)
{
    switch (toneFault(heard, bass, chord, bassInterval)) {
    case ToneFault::None:
        return {};
    case ToneFault::ForeignTone:
        return "foreign tone " + intervalsText(heard & ~(chord.must | chord.optional));
    case ToneFault::WrongBass:
        return "bass " + std::to_string(bass) + " instead of " + std::to_string(bassInterval);
    case ToneFault::IncompleteTriad:
        return "incomplete triad, missing " + intervalsText(chord.must & ~heard);
    case ToneFault::MissingTone:
        return "missing " + intervalsText(chord.must & ~heard);
    case ToneFault::RootLeftOut:
        return "root left out of a chord that is not extended";
    case ToneFault::ThirdLeftOut:
        return "third left out of a chord of fewer than five tones";
    case ToneFault::RootAndThirdLeftOut:
        return "root and third left out of a chord of fewer than six tones";
    }
    return {};
}

std::string givingWayProblem(unsigned heard, int strings, const ChordTones& chord, int bassInterval)
{
    const unsigned missing = chord.must & ~heard;
    if (!missing)
        return {};
    unsigned extra = heard & ~chord.must;
    if (bassInterval >= 0)
        extra &= ~(1u << bassInterval);
    if (extra)
        return "tone " + intervalsText(extra) + " sounds in place of " + intervalsText(missing);
    // A named bass that is no tone of the chord's own takes a string too.
    const bool ownBass = bassInterval < 0 || (chord.must & (1u << bassInterval));
    const int must = chord.mustCount() + (ownBass ? 0 : 1);
    if (must <= strings)
        return "tone " + intervalsText(missing) + " left out though the strings hold every tone";
    const bool rootMayGo = chord.extended;
    if (chord.third >= 0 && (missing & (1u << chord.third))) {
        if (rootMayGo && !(missing & (1u << kRoot)))
            return "third left out before the root";
        if (must - (rootMayGo ? 1 : 0) <= strings)
            return "third left out though the strings hold it";
    }
    return {};
}

unsigned heardTones(const FretPattern& frets, int rootPc)
{
    unsigned mask = 0;
    for (std::size_t s = 0; s < frets.size(); ++s)
        if (frets[s] != kMuted)
            mask |= 1u << mod12(kOpenStringMidi[s] + frets[s] - rootPc);
    return mask;
}

int bassTone(const FretPattern& frets, int rootPc)
{
    int lowest = -1;
    int interval = -1;
    for (std::size_t s = 0; s < frets.size(); ++s) {
        if (frets[s] == kMuted)
            continue;
        int note = kOpenStringMidi[s] + frets[s];
        if (lowest < 0 || note < lowest) {
            lowest = note;
            interval = mod12(note - rootPc);
        }
    }
    return interval;
}

std::string toneProblem(const FretPattern& frets, int rootPc, const ChordTones& chord,
                        int bassInterval)
{
    return toneProblem(heardTones(frets, rootPc), bassTone(frets, rootPc), chord, bassInterval);
}

} // namespace catalogue

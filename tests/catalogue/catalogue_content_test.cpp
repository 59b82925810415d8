// The committed catalogue against its binding rules and against what each
// chord type sounds.
#include "CommittedCatalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/ChordNaming.h"
#include "catalogue/ChordTones.h"
#include "catalogue/Fingering.h"
#include "catalogue/Vocabularies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace catalogue;

namespace {

std::vector<std::vector<std::string>> readRows(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<std::string> row;
        std::stringstream fields(line);
        std::string f;
        while (std::getline(fields, f, '\t'))
            row.push_back(f);
        if (!line.empty() && line.back() == '\t')
            row.emplace_back();
        rows.push_back(row);
    }
    return rows;
}

int rootIndex(const std::string& tonica)
{
    const auto& r = tonicas();
    return static_cast<int>(std::find(r.begin(), r.end(), tonica) - r.begin()) - 1;
}

int typeIndex(const std::string& tipo)
{
    const auto& t = typeTexts();
    return static_cast<int>(std::find(t.begin(), t.end(), tipo) - t.begin());
}

int pitchOf(const Acorde& a)
{
    return *pitchClass(rootName(a.Tonica));
}

// The interval of the named bass of a slash record, -1 otherwise.
int slashBass(const Acorde& a)
{
    return isSlashType(a.Tipo) ? bassTone(*FretPattern::of(a), pitchOf(a)) : -1;
}

class Catalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() { list = committedCatalogue(); }
    static ChordListRef list;

    std::vector<AcordeRef> matching(const std::string& root, const std::string& typeField) const
    {
        std::vector<AcordeRef> out;
        for (const auto& a : *list)
            if ((root == "*" || beginsWith(a->Tonica, root)) && beginsWith(a->Tipo, typeField))
                out.push_back(a);
        return out;
    }
};
ChordListRef Catalogue::list;

} // namespace

TEST_F(Catalogue, SymbolsAndCountsAsListed)
{
    auto symbols = readRows(sourcePath("tools/voicings/data/symbols.tsv"));
    ASSERT_EQ(symbols.size(), 1681u);
    ASSERT_EQ(list->size(), 4957u);
    std::size_t at = 0;
    for (const auto& s : symbols) {
        int count = std::stoi(s[2]);
        for (int k = 0; k < count; ++k, ++at) {
            ASSERT_LT(at, list->size());
            EXPECT_EQ((*list)[at]->Cifra, s[0]) << "position " << at + 1;
            EXPECT_EQ((*list)[at]->IDCifra, s[1]) << "position " << at + 1;
        }
    }
    EXPECT_EQ(at, list->size());
}

TEST_F(Catalogue, RootRuns)
{
    const int firstPositions[] = {1,    262,  507,  750,  1033, 1305, 1579, 1915, 2243,
                                  2525, 2805, 3088, 3367, 3645, 3970, 4304, 4638, 4958};
    for (int r = 0; r < 17; ++r) {
        for (int p = firstPositions[r]; p < firstPositions[r + 1]; ++p)
            ASSERT_EQ((*list)[static_cast<std::size_t>(p - 1)]->Tonica,
                      tonicas()[static_cast<std::size_t>(r + 1)])
                << "position " << p;
    }
    EXPECT_EQ(matching("C ", " *").size(), 0u); // no type field " *" prefix
    EXPECT_EQ(matching("C ", " ").size(), 261u);
}

TEST_F(Catalogue, FixedRecordsStandAtTheirPositions)
{
    auto fixed = readRows(sourcePath("tools/voicings/data/fixed_records.tsv"));
    ASSERT_EQ(fixed.size(), 21u);
    for (const auto& row : fixed) {
        const auto& a = *(*list)[static_cast<std::size_t>(std::stoi(row[0]) - 1)];
        std::vector<std::string> got = {
            a.IDAcorde, a.IDCifra, a.Tonica, a.Tipo, a.Categoria, a.Inversao, a.Cifra, a.Image,
            a.C1,       a.C2,      a.C3,     a.C4,   a.C5,        a.C6,       a.Fav,   a.FavOrder};
        EXPECT_EQ(got, std::vector<std::string>(row.begin() + 1, row.end())) << row[0];
    }
}

TEST_F(Catalogue, OrderAndFieldForms)
{
    std::tuple<int, int, int, int> previous{-1, -1, -1, -1};
    std::set<std::string> idAcorde;
    const std::regex stem("DS[1-6]_[0-9]{4}|_DSC[0-9]{4}");
    const std::regex sixDigits("[0-9]{6}");
    for (std::size_t i = 0; i < list->size(); ++i) {
        const auto& a = *(*list)[i];
        SCOPED_TRACE("position " + std::to_string(i + 1) + " " + a.Cifra);
        auto frets = FretPattern::of(a);
        ASSERT_TRUE(frets);
        std::tuple<int, int, int, int> key{rootIndex(a.Tonica), typeIndex(a.Tipo), slashBass(a),
                                           frets->fretSum()};
        ASSERT_GE(std::get<0>(key), 0);
        ASSERT_LT(std::get<1>(key), 91);
        EXPECT_LE(previous, key);
        previous = key;

        EXPECT_EQ(a.Categoria, categoria(a.Tipo));
        EXPECT_EQ(a.Inversao, isSlashType(a.Tipo) ? "X" : " ");
        EXPECT_EQ(a.Cifra, chordSymbol(a.Tonica, a.Tipo, slashBass(a)));
        EXPECT_EQ(a.Fav, " ");
        EXPECT_EQ(a.FavOrder, " ");
        EXPECT_TRUE(std::regex_match(a.Image, stem)) << a.Image;
        EXPECT_TRUE(std::regex_match(a.IDAcorde, sixDigits));
        EXPECT_GE(a.IDAcorde, "000001");
        EXPECT_LE(a.IDAcorde, "005158");
        EXPECT_TRUE(idAcorde.insert(a.IDAcorde).second) << "duplicate IDAcorde";
    }
}

TEST_F(Catalogue, EveryVoicingSoundsItsChordAndIsPlayable)
{
    for (std::size_t i = 0; i < list->size(); ++i) {
        const auto& a = *(*list)[i];
        auto frets = *FretPattern::of(a);
        int bass = -1;
        if (isSlashType(a.Tipo)) {
            // The bass the symbol names, read back from the symbol.
            auto slash = a.Cifra.rfind('/');
            bass = (*pitchClass(a.Cifra.substr(slash + 1)) - pitchOf(a) + 12) % 12;
        }
        EXPECT_EQ(toneProblem(frets, pitchOf(a), *chordTonesOf(a.Tipo), bass), "")
            << "position " << i + 1 << " " << a.Cifra << " " << frets.format();
        EXPECT_EQ(playabilityProblem(frets), "")
            << "position " << i + 1 << " " << a.Cifra << " " << frets.format();
    }
}

TEST_F(Catalogue, OneIdentifierPerSymbolInItsGroup)
{
    std::map<std::string, std::string> idOf;
    std::map<std::string, std::string> symbolOf;
    // A symbol form: type text and bass interval.
    std::map<std::string, std::pair<std::string, int>> formOf;
    for (const auto& r : *list) {
        EXPECT_EQ(idOf.emplace(r->Cifra, r->IDCifra).first->second, r->IDCifra) << r->Cifra;
        EXPECT_EQ(symbolOf.emplace(r->IDCifra, r->Cifra).first->second, r->Cifra);
        formOf[r->IDCifra] = {r->Tipo, slashBass(*r)};
    }
    EXPECT_EQ(idOf.size(), 1681u);
    EXPECT_EQ(symbolOf.size(), 1681u);

    // Numbers up to 1314: one block per root, a form at the same offset in
    // every block after that of C (whose block is wider and holds one form
    // out of line, so that a gap of it stays free). Above: one unbroken run
    // per form.
    std::map<std::pair<std::string, int>, int> offsetOf;
    std::map<std::pair<std::string, int>, std::pair<int, int>> runOf;
    for (const auto& r : *list) {
        int id = std::stoi(r->IDCifra);
        auto form = formOf[r->IDCifra];
        ASSERT_GE(id, 1);
        ASSERT_LE(id, 1780);
        if (id <= 1314) {
            int root = rootIndex(r->Tonica);
            int start = root == 0 ? 1 : 84 + 77 * (root - 1);
            int end = root == 0 ? 84 : start + 77;
            EXPECT_GE(id, start) << r->Cifra;
            EXPECT_LT(id, end) << r->Cifra;
            if (root > 0) {
                EXPECT_EQ(offsetOf.emplace(form, id - start).first->second, id - start) << r->Cifra;
            }
        } else {
            auto& run = runOf.emplace(form, std::make_pair(id, id)).first->second;
            run = {std::min(run.first, id), std::max(run.second, id)};
        }
    }
    EXPECT_EQ(offsetOf.size(), 74u);
    EXPECT_EQ(runOf.size(), 26u);
    // A number in the gaps belongs to no record; the ones telling records
    // show keep theirs.
    EXPECT_FALSE(symbolOf.count("000070"));
    EXPECT_EQ(symbolOf["001572"], "A#7(b9/b5/13)");
    EXPECT_EQ(symbolOf["001319"], "C");
    EXPECT_EQ(symbolOf["000014"], "Cm7");
    EXPECT_EQ(symbolOf["001296"], "Bdim(4)");
    for (const auto& [id, form] : formOf) {
        int n = std::stoi(id);
        for (const auto& [other, run] : runOf)
            if (other != form) {
                EXPECT_FALSE(n >= run.first && n <= run.second) << id << " inside another run";
            }
    }
}

TEST_F(Catalogue, TwinsAndPhotoStems)
{
    // Records with one stem: of one pitch; of one symbol form only when they
    // are sharp and flat twins (or records kept as given) with equal frets.
    std::map<std::string, std::vector<AcordeRef>> byStem;
    for (const auto& r : *list)
        byStem[r->Image].push_back(r);
    std::set<std::string> fixedStems = {"DS3_0229"}; // the group of three kept as given
    for (const auto& [stem, records] : byStem) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            for (std::size_t j = i + 1; j < records.size(); ++j) {
                const auto& a = *records[i];
                const auto& b = *records[j];
                EXPECT_EQ(pitchOf(a), pitchOf(b)) << stem;
                bool sameForm = a.Tipo == b.Tipo && slashBass(a) == slashBass(b);
                if (!sameForm)
                    continue;
                EXPECT_EQ(*FretPattern::of(a), *FretPattern::of(b))
                    << stem << " " << a.Cifra << " " << b.Cifra;
                if (!fixedStems.count(stem)) {
                    EXPECT_NE(a.Tonica, b.Tonica) << stem << " twice in " << a.Cifra;
                }
            }
        }
    }
    // Twins that share a form and frets share a stem.
    std::map<std::tuple<int, std::string, int, FretPattern>,
             std::map<std::string, std::set<std::string>>>
        stemsOf;
    for (const auto& r : *list)
        stemsOf[{pitchOf(*r), r->Tipo, slashBass(*r), *FretPattern::of(*r)}][r->Tonica].insert(
            r->Image);
    int shared = 0;
    for (const auto& [key, byRoot] : stemsOf) {
        if (byRoot.size() != 2)
            continue;
        const auto& a = byRoot.begin()->second;
        const auto& b = byRoot.rbegin()->second;
        EXPECT_TRUE(std::any_of(a.begin(), a.end(), [&](const auto& st) { return b.count(st); }))
            << std::get<3>(key).format() << " " << std::get<1>(key);
        ++shared;
    }
    EXPECT_GT(shared, 1000);
}

TEST_F(Catalogue, FilterFigures)
{
    EXPECT_EQ(matching("*", " m ").size(), 376u);
    EXPECT_EQ(matching("*", " 6/").size(), 114u);
    EXPECT_EQ(matching("C ", " ").size(), 261u);
    EXPECT_EQ(matching("C# ", " m triad ").size(), 0u);
    EXPECT_EQ(matching("Db ", " m triad ").size(), 0u);
    EXPECT_EQ(matching("*", " m7/").size(), 73u);
    EXPECT_EQ(matching("*", "  triad ").size(), 60u);
    std::vector<std::string> sevenSlash;
    for (const auto& r : matching("C ", " 7/ ")) {
        sevenSlash.push_back(r->Cifra);
        EXPECT_EQ(r->Inversao, "X");
    }
    EXPECT_EQ(sevenSlash, (std::vector<std::string>{"C7/E", "C7/E", "C7/E", "C7/E", "C7/G", "C7/G",
                                                    "C7/G", "C/Bb", "C/Bb", "C/Bb"}));
    std::map<std::string, int> categories;
    for (const auto& r : *list)
        ++categories[r->Categoria];
    EXPECT_EQ(categories,
              (std::map<std::string, int>{
                  {"7", 2047}, {"menor", 1456}, {"Maior", 1196}, {"dim", 216}, {"NA", 42}}));
}

TEST_F(Catalogue, RootInTheBassAndTheThirdSounding)
{
    int nonSlash = 0;
    int rootInBass = 0;
    int thirdLeftOut = 0;
    for (const auto& r : *list) {
        const auto frets = *FretPattern::of(*r);
        const auto& chord = *chordTonesOf(r->Tipo);
        const unsigned heard = heardTones(frets, pitchOf(*r));
        // Only a chord of six tones that must sound leaves its root out.
        EXPECT_TRUE((heard & 1u) || chord.mustCount() >= 6)
            << r->Cifra << " " << frets.format() << ": no root";
        thirdLeftOut += chord.third >= 0 && !(heard & (1u << chord.third));
        if (!isSlashType(r->Tipo)) {
            ++nonSlash;
            rootInBass += bassTone(frets, pitchOf(*r)) == 0;
        }
    }
    EXPECT_GE(rootInBass * 100, nonSlash * 95) << rootInBass << " of " << nonSlash;
    // The third goes only where five tones or more leave no finger for it,
    // and rarely then: at most one record in a hundred.
    EXPECT_LE(thirdLeftOut * 100, static_cast<int>(list->size())) << thirdLeftOut;
}

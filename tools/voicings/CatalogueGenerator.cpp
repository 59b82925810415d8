#include "CatalogueGenerator.h"

#include "GripShape.h"
#include "VoicingPicker.h"
#include "catalogue/ChordNaming.h"
#include "catalogue/ChordTones.h"
#include "catalogue/Fingering.h"
#include "catalogue/Vocabularies.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>

namespace voicings {
namespace {
using namespace catalogue;

struct Record {
    const Symbol* symbol = nullptr;
    FretPattern frets{};
    const FixedRecord* fixed = nullptr;
    std::string idAcorde;
    std::string image;
};

// Root indexes (0 = C) of the sharp roots and their flat twins.
const std::map<int, int> kTwinOf = {{1, 2}, {2, 1},   {4, 5},   {5, 4},   {8, 9},
                                    {9, 8}, {11, 12}, {12, 11}, {14, 15}, {15, 14}};
bool isFlatRoot(int rootIndex)
{
    return rootIndex == 2 || rootIndex == 5 || rootIndex == 9 || rootIndex == 12 || rootIndex == 15;
}

int rootPitch(const Symbol& s)
{
    return *pitchClass(rootName(s.tonica));
}

std::string sixDigits(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06d", n);
    return buf;
}

class Generator {
public:
    explicit Generator(const Inputs& inputs) : inputs_(inputs)
    {
        for (std::size_t i = 0; i < inputs.symbols.size(); ++i) {
            const auto& s = inputs.symbols[i];
            byForm_[{s.rootIndex, s.typeIndex, s.bassInterval}] = i;
        }
        fixedOf_.resize(inputs.symbols.size());
        for (const auto& f : inputs.fixed)
            fixedOf_[symbolAt(f.position)].push_back(&f);
        for (auto& list : fixedOf_)
            std::sort(list.begin(), list.end(),
                      [](auto* a, auto* b) { return a->position < b->position; });
        chosen_.resize(inputs.symbols.size());
        done_.resize(inputs.symbols.size(), false);
    }

    std::string run(GeneratorReport* report)
    {
        report_ = report;
        for (std::size_t i = 0; i < inputs_.symbols.size(); ++i)
            choose(i);
        std::vector<Record> records;
        for (std::size_t i = 0; i < inputs_.symbols.size(); ++i)
            placeRecords(i, records);
        assignIdentifiers(records);
        assignStems(records);
        if (report)
            tally(records, *report);
        return write(records);
    }

private:
    std::size_t symbolAt(int position) const
    {
        for (std::size_t i = 0; i < inputs_.symbols.size(); ++i) {
            const auto& s = inputs_.symbols[i];
            if (position >= s.firstPosition && position < s.firstPosition + s.voicings)
                return i;
        }
        throw std::runtime_error("fixed record at position " + std::to_string(position) +
                                 " lies outside the catalogue");
    }

    // The same symbol form in the sharp or flat twin root, if any.
    std::optional<std::size_t> twinOf(std::size_t i) const
    {
        const auto& s = inputs_.symbols[i];
        auto twin = kTwinOf.find(s.rootIndex);
        if (twin == kTwinOf.end())
            return std::nullopt;
        auto it = byForm_.find({twin->second, s.typeIndex, s.bassInterval});
        if (it == byForm_.end())
            return std::nullopt;
        return it->second;
    }

    // Of two twins, the one with fixed records chooses first, else the sharp.
    bool leads(std::size_t i, std::size_t twin) const
    {
        bool mine = !fixedOf_[i].empty();
        bool theirs = !fixedOf_[twin].empty();
        if (mine != theirs)
            return mine;
        return !isFlatRoot(inputs_.symbols[i].rootIndex);
    }

    const std::vector<Candidate>& candidatesFor(const Symbol& s)
    {
        auto key = std::make_tuple(rootPitch(s), s.typeIndex, s.bassInterval);
        auto it = candidates_.find(key);
        if (it == candidates_.end())
            it = candidates_
                     .emplace(key,
                              legalVoicings(rootPitch(s), *chordTonesOf(s.tipo), s.bassInterval))
                     .first;
        return it->second;
    }

    void checkFixed(const Symbol& s, const FixedRecord& f) const
    {
        const auto& r = f.record;
        auto where = "fixed record at position " + std::to_string(f.position) + ": ";
        if (r.Cifra != s.cifra || r.IDCifra != s.idCifra || r.Tonica != s.tonica ||
            r.Tipo != s.tipo)
            throw std::runtime_error(where + "does not belong to " + s.cifra);
        auto frets = FretPattern::of(r);
        if (!frets)
            throw std::runtime_error(where + "bad fret text");
        auto problem = toneProblem(*frets, rootPitch(s), *chordTonesOf(s.tipo), s.bassInterval);
        if (problem.empty())
            problem = playabilityProblem(*frets);
        if (!problem.empty())
            throw std::runtime_error(where + problem);
    }

    void choose(std::size_t i)
    {
        if (done_[i])
            return;
        auto twin = twinOf(i);
        if (twin && !leads(i, *twin))
            choose(*twin);
        done_[i] = true;

        const auto& s = inputs_.symbols[i];
        std::vector<FretPattern> standing;
        std::vector<Slot> slots;
        int index = 0;
        int previousSum = 0;
        for (const auto* f : fixedOf_[i]) {
            checkFixed(s, *f);
            auto frets = *FretPattern::of(f->record);
            int at = f->position - s.firstPosition;
            int sum = frets.fretSum();
            if (sum < previousSum)
                throw std::runtime_error("fixed records of " + s.cifra + " out of fret-sum order");
            slots.push_back({previousSum, sum, at - index});
            standing.push_back(frets);
            index = at + 1;
            previousSum = sum;
        }
        slots.push_back({previousSum, std::numeric_limits<int>::max(), s.voicings - index});

        std::vector<FretPattern> preferred;
        if (twin && done_[*twin])
            preferred = chosen_[*twin];
        const auto& candidates = candidatesFor(s);
        auto picked =
            pickVoicings(candidates, standing, preferred, slots,
                         s.voicings >= 2 && leadsAtTheNut(*chordTonesOf(s.tipo), s.bassInterval));
        if (static_cast<int>(picked.order.size() + standing.size()) != s.voicings)
            throw std::runtime_error("no voicings of " + s.cifra +
                                     " fit between its fixed records");
        if (picked.repeated && report_)
            report_->compromises.push_back(s.cifra + ": " + std::to_string(candidates.size()) +
                                           " legal voicings for " + std::to_string(s.voicings) +
                                           " records, " + std::to_string(picked.repeated) +
                                           " repeated");
        chosen_[i] = standing;
        chosen_[i].insert(chosen_[i].end(), picked.order.begin(), picked.order.end());
        slotted_[i] = std::move(picked.slots);
    }

    // The records of one symbol: each slot ordered by fret sum, the fixed
    // records between the slots.
    void placeRecords(std::size_t i, std::vector<Record>& records)
    {
        const auto& s = inputs_.symbols[i];
        auto& slots = slotted_[i];
        for (std::size_t k = 0; k < slots.size(); ++k) {
            auto& slot = slots[k];
            // Equal sums keep the order of choice, so the first choice of the
            // first slot stays first.
            std::stable_sort(slot.begin(), slot.end(), [](const auto& a, const auto& b) {
                return a.fretSum() < b.fretSum();
            });
            for (const auto& f : slot)
                records.push_back({&s, f, nullptr, {}, {}});
            if (k < fixedOf_[i].size()) {
                const auto* fixed = fixedOf_[i][k];
                records.push_back({&s, *FretPattern::of(fixed->record), fixed,
                                   fixed->record.IDAcorde, fixed->record.Image});
            }
        }
    }

    void assignIdentifiers(std::vector<Record>& records)
    {
        std::set<std::string> reserved;
        for (const auto& f : inputs_.fixed)
            reserved.insert(f.record.IDAcorde);
        int next = 1;
        for (auto& r : records) {
            if (r.fixed)
                continue;
            while (reserved.count(sixDigits(next)))
                ++next;
            r.idAcorde = sixDigits(next++);
        }
    }

    // One photo per hand position of a pitch: records of one root, or of a
    // sharp root and its flat twin, with equal frets share a stem.
    void assignStems(std::vector<Record>& records)
    {
        std::map<std::pair<int, FretPattern>, std::string> stemOf;
        std::set<std::string> taken;
        for (const auto& r : records) {
            if (!r.fixed)
                continue;
            stemOf.emplace(std::make_pair(rootPitch(*r.symbol), r.frets), r.image);
            taken.insert(r.image);
        }
        std::map<int, int> nextNumber;
        for (auto& r : records) {
            if (r.fixed)
                continue;
            auto key = std::make_pair(rootPitch(*r.symbol), r.frets);
            auto it = stemOf.find(key);
            if (it != stemOf.end()) {
                r.image = it->second;
                continue;
            }
            int digit = stemDigit(*r.symbol);
            std::string stem;
            do {
                int n = ++nextNumber[digit];
                char buf[16];
                std::snprintf(buf, sizeof buf, "DS%d_%04d", digit, n);
                stem = buf;
            } while (taken.count(stem));
            if (nextNumber[digit] > 9999)
                throw std::runtime_error("photo stems exhausted");
            taken.insert(stem);
            stemOf.emplace(key, stem);
            r.image = stem;
        }
    }

    // Photo series: slash chords and the roots A# to B in series 3, the roots
    // C to E in series 1, F to A in series 2.
    static int stemDigit(const Symbol& s)
    {
        if (isSlashType(s.tipo) || s.rootIndex >= 14)
            return 3;
        return s.rootIndex <= 6 ? 1 : 2;
    }

    static void tally(const std::vector<Record>& records, GeneratorReport& report)
    {
        for (const auto& r : records) {
            const auto& s = *r.symbol;
            const auto& chord = *chordTonesOf(s.tipo);
            int root = rootPitch(s);
            unsigned heard = heardTones(r.frets, root);
            ++report.records;
            if (!isSlashType(s.tipo)) {
                ++report.nonSlash;
                report.nonSlashRootInBass += bassTone(r.frets, root) == 0;
            }
            report.rootless += !(heard & 1u);
            report.thirdless += chord.third >= 0 && !(heard & (1u << chord.third));
        }
    }

    static std::string write(const std::vector<Record>& records)
    {
        std::string out =
            "IDAcorde\tIDCifra\tTonica\tTipo\tCategoria\tInversao\tCifra\tImage\tC1\tC2\tC3\tC4"
            "\tC5\tC6\tFav\tFavOrder\n";
        for (const auto& r : records) {
            const auto& s = *r.symbol;
            std::string fields[] = {r.idAcorde,
                                    s.idCifra,
                                    s.tonica,
                                    s.tipo,
                                    categoria(s.tipo),
                                    isSlashType(s.tipo) ? "X" : " ",
                                    chordSymbol(s.tonica, s.tipo, s.bassInterval),
                                    r.image};
            for (const auto& f : fields)
                out += f + '\t';
            for (int f : r.frets)
                out += fretText(f) + '\t';
            out += " \t \n";
        }
        return out;
    }

    const Inputs& inputs_;
    GeneratorReport* report_ = nullptr;
    std::map<std::tuple<int, int, int>, std::size_t> byForm_;
    std::vector<std::vector<const FixedRecord*>> fixedOf_;
    std::vector<std::vector<FretPattern>> chosen_;
    std::map<std::size_t, std::vector<std::vector<FretPattern>>> slotted_;
    std::vector<bool> done_;
    std::map<std::tuple<int, int, int>, std::vector<Candidate>> candidates_;
};
} // namespace

std::string generateCatalogue(const Inputs& inputs, GeneratorReport* report)
{
    return Generator(inputs).run(report);
}

} // namespace voicings

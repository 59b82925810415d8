// Many saves, opens and deletes under random names, and writers killed in the
// middle of saving: every saved list must read back whole, and nothing may
// appear outside the Documents folder but what belongs there.
#include "ListsTestSupport.h"

#include "favourites/SavedLists.h"
#include "platform/lists/PropertyList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using catalogue::ChordList;
using catalogue::ChordListRef;
using favourites::SavedLists;
using liststest::fileBytes;
using liststest::TempFolder;
namespace fs = std::filesystem;

namespace {
// 60 symbols of one to three voicings each, in catalogue order.
ChordListRef fakeCatalogue()
{
    auto all = std::make_shared<ChordList>();
    for (int symbol = 1; symbol <= 60; ++symbol) {
        char id[8];
        std::snprintf(id, sizeof id, "%06d", symbol);
        for (int voicing = 0; voicing <= symbol % 3; ++voicing)
            all->push_back(liststest::record(std::to_string(all->size() + 1), id,
                                             "S" + std::to_string(symbol)));
    }
    return all;
}

// Random favourites, each symbol at most once: a list of them opens to the
// same symbols in the same order.
ChordList randomFavourites(std::mt19937& random, const ChordList& all)
{
    ChordList favourites;
    const int count = std::uniform_int_distribution<int>(0, 12)(random);
    for (int i = 0; i < count; ++i) {
        const auto& record =
            all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(random)];
        if (std::none_of(favourites.begin(), favourites.end(),
                         [&](const auto& held) { return held->IDCifra == record->IDCifra; }))
            favourites.push_back(record);
    }
    return favourites;
}

std::vector<std::string> identifiers(const ChordList& records)
{
    std::vector<std::string> ids;
    for (const auto& record : records)
        ids.push_back(record->IDCifra);
    return ids;
}

std::string randomName(std::mt19937& random)
{
    static const std::vector<std::string> pieces{"a", "B", "z", " ", "á", "ç", "ã", "É",
                                                 "ô", "-", ".", "_", "1", "ñ", "ü", "Lista"};
    static const std::vector<std::string> refused{
        "", ".", "..", "a/b", "../fora", std::string("a\0b", 3), "/tmp/x", "sub/"};
    if (std::uniform_int_distribution<int>(0, 9)(random) == 0)
        return refused[std::uniform_int_distribution<std::size_t>(0, refused.size() - 1)(random)];
    std::string name;
    const int length = std::uniform_int_distribution<int>(1, 10)(random);
    for (int i = 0; i < length; ++i)
        name += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    return name;
}

bool plainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::set<std::string> entrySet(const SavedLists& lists)
{
    const auto names = lists.names();
    return {names.begin(), names.end()};
}

// The log of thousands of saves goes nowhere while this lives.
class QuietStandardError {
public:
    QuietStandardError() : saved_(::dup(2))
    {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::close(null);
    }
    ~QuietStandardError()
    {
        ::dup2(saved_, 2);
        ::close(saved_);
    }

private:
    int saved_;
};
} // namespace

TEST(SavedListsStress, RandomNamesSaveOpenAndDeleteConsistently)
{
    TempFolder data;
    liststest::writeFile(data.path() / "fora", "fora");
    const SavedLists lists{platform::Documents(data.path())};
    const ChordListRef all = fakeCatalogue();
    const ChordListRef favourites = std::make_shared<ChordList>();
    const ChordList* const favouritesObject = favourites.get();
    std::mt19937 random(20240611);
    std::map<std::string, std::vector<std::string>> expected;
    std::vector<std::string> list;
    int saves = 0, refusals = 0, opens = 0, deletes = 0;

    QuietStandardError quiet;
    for (int step = 0; step < 2000; ++step) {
        const std::string name = randomName(random);
        *favourites = randomFavourites(random, *all);
        const bool saved = lists.save(name, favourites, list).saved;
        ASSERT_EQ(saved, plainName(name));
        if (saved) {
            expected[name] = identifiers(*favourites);
            ++saves;
        } else {
            ++refusals;
        }

        if (!expected.empty() && step % 2 == 0) {
            auto it = std::next(expected.begin(), std::uniform_int_distribution<std::size_t>(
                                                      0, expected.size() - 1)(random));
            ASSERT_TRUE(lists.open(it->first, favourites, all));
            ASSERT_EQ(identifiers(*favourites), it->second) << it->first;
            ASSERT_EQ(favourites.get(), favouritesObject);
            ++opens;
        }
        if (!expected.empty() && (step % 3 == 0 || expected.size() > 200)) {
            auto it = std::next(expected.begin(), std::uniform_int_distribution<std::size_t>(
                                                      0, expected.size() - 1)(random));
            ASSERT_TRUE(lists.remove(it->first));
            expected.erase(it);
            ++deletes;
        }
        if (step % 500 == 0) {
            ASSERT_EQ(entrySet(lists).size(), expected.size());
        }
    }

    std::set<std::string> names;
    for (const auto& [name, ids] : expected) {
        names.insert(name);
        ASSERT_EQ(fileBytes(data.path() / "Documents" / name), *platform::propertyListXml(ids));
    }
    EXPECT_EQ(entrySet(lists), names);
    EXPECT_EQ(liststest::tree(data.path()).size(), names.size() + 2); // + Documents, fora
    EXPECT_EQ(fileBytes(data.path() / "fora"), "fora");
    std::cout << "saves " << saves << ", refused " << refusals << ", opens " << opens
              << ", deletes " << deletes << ", lists left " << names.size() << "\n";
}

TEST(SavedListsStress, AWriterKilledWhileSavingLeavesEveryListWhole)
{
    TempFolder data;
    const platform::Documents documents(data.path());
    const ChordListRef all = fakeCatalogue();
    std::mt19937 random(7);

    // Each name is saved with one of four contents of different lengths; a
    // list on disk must be exactly one of them.
    const std::vector<std::string> names{"Um", "dois 2", "Três", "quatro.plist", "cinco ç"};
    std::vector<std::vector<ChordListRef>> contents(names.size());
    std::vector<std::set<std::string>> allowed(names.size());
    for (std::size_t n = 0; n < names.size(); ++n)
        for (int c = 0; c < 4; ++c) {
            auto grid = std::make_shared<ChordList>();
            for (int i = 0; i < 5 + 40 * c; ++i)
                grid->push_back((*all)[(n * 7 + c * 13 + i) % all->size()]);
            contents[n].push_back(grid);
            allowed[n].insert(*platform::propertyListXml(identifiers(*grid)));
        }

    int kills = 0, otherEnds = 0, strayTemporaries = 0;
    for (int round = 0; round < 150; ++round) {
        const unsigned seed = random();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) { // the child only saves, until it is killed
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 2);
            const SavedLists lists{documents};
            std::mt19937 childRandom(seed);
            std::vector<std::string> list;
            for (;;) {
                const std::size_t n = childRandom() % names.size();
                lists.save(names[n], contents[n][childRandom() % 4], list);
            }
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 4000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
            ++kills;
        } else {
            ++otherEnds;
        }

        const SavedLists lists{documents};
        for (const std::string& entry : lists.names()) {
            const auto at = std::find(names.begin(), names.end(), entry);
            ASSERT_NE(at, names.end()) << "unexpected entry " << entry;
            const auto bytes = documents.read(entry);
            ASSERT_TRUE(bytes);
            ASSERT_EQ(allowed[at - names.begin()].count(*bytes), 1u) << entry;
        }
    }
    // Temporary files of killed writers lie in Documents/, where the listing
    // passes over them; the next save removes those old enough to belong to
    // no live writer.
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::directory_iterator(data.path() / "Documents"))
        if (platform::Documents::isTemporaryName(entry.path().filename().string())) {
            fs::last_write_time(entry.path(), anHourAgo);
            ++strayTemporaries;
        }
    EXPECT_EQ(liststest::tree(data.path()).size(),
              1 + SavedLists{documents}.names().size() + strayTemporaries);
    ASSERT_TRUE(documents.write("Um", *platform::propertyListXml({})));
    EXPECT_EQ(liststest::tree(data.path()).size(), 1 + SavedLists{documents}.names().size());
    EXPECT_EQ(otherEnds, 0);
    std::cout << "writers killed " << kills << ", lists on disk "
              << SavedLists{documents}.names().size() << ", temporary files left in "
              << "Documents/ by killed writers " << strayTemporaries << " (all removed later)\n";
}

#include "ListsTestSupport.h"

#include "platform/Application.h"
#include "platform/Documents.h"
#include "platform/Log.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <algorithm>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using liststest::fileBytes;
using liststest::TempFolder;
using liststest::tree;
using liststest::writeFile;
using platform::Documents;
namespace fs = std::filesystem;

namespace {
std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST(Documents, LiesInTheApplicationDataFolderAndIsCreatedWhenMissing)
{
    TempFolder home;
    const QByteArray previousHome = qgetenv("XDG_DATA_HOME");
    const QString previousOrganization = QCoreApplication::organizationName();
    const QString previousApplication = QCoreApplication::applicationName();
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path().string()));
    platform::nameApplication(); // as the program names itself
    const Documents documents = Documents::standard();
    QCoreApplication::setOrganizationName(previousOrganization);
    QCoreApplication::setApplicationName(previousApplication);
    if (previousHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousHome);

    EXPECT_EQ(documents.directory(), home.path() / "Cifrario" / "Documents");
    EXPECT_FALSE(fs::exists(documents.directory()));
    EXPECT_EQ(*documents.entries(), std::vector<std::string>{});
    EXPECT_TRUE(fs::is_directory(documents.directory()));
}

TEST(Documents, ListsEveryEntryAndReadsOnlyFiles)
{
    TempFolder data;
    const Documents documents(data.path());
    ASSERT_TRUE(documents.write("Lista 1", "um"));
    fs::create_directory(documents.directory() / "pasta");
    writeFile(documents.directory() / ".oculto", "x");
    fs::create_symlink("nowhere", documents.directory() / "quebrado");
    // A temporary file of a save, left by a writer that was killed.
    const std::string temporary = std::string(Documents::temporaryPrefix) + "a1B2c3";
    writeFile(documents.directory() / temporary, "metade");
    EXPECT_EQ(sorted(*documents.entries()),
              (std::vector<std::string>{".oculto", "Lista 1", "pasta", "quebrado"}));
    EXPECT_FALSE(documents.read(temporary));
    EXPECT_FALSE(documents.write(temporary, "x"));
    EXPECT_EQ(fileBytes(documents.directory() / temporary), "metade");

    EXPECT_EQ(*documents.read("Lista 1"), "um");
    EXPECT_EQ(documents.read("pasta").error(), "not a regular file: a folder");
    EXPECT_FALSE(documents.read("quebrado"));
    EXPECT_FALSE(documents.read("ausente"));
    EXPECT_FALSE(documents.read("../Documents/Lista 1"));
}

TEST(Documents, WriteReplacesInOneStepAndAFailureKeepsTheOldFile)
{
    TempFolder data;
    const Documents documents(data.path());
    ASSERT_TRUE(documents.write("lista", "velho"));
    ASSERT_TRUE(documents.write("lista", "novo"));
    EXPECT_EQ(fileBytes(documents.directory() / "lista"), "novo");

    // A folder under the name stays a folder, content and all.
    fs::create_directory(documents.directory() / "pasta");
    writeFile(documents.directory() / "pasta" / "dentro", "d");
    const auto refused = documents.write("pasta", "x");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error(), "a folder holds that name");
    EXPECT_EQ(fileBytes(documents.directory() / "pasta" / "dentro"), "d");

    // A link is replaced by the file; what it pointed to is not written.
    writeFile(data.path() / "alvo", "alvo");
    fs::create_symlink(data.path() / "alvo", documents.directory() / "elo");
    ASSERT_TRUE(documents.write("elo", "lista"));
    EXPECT_FALSE(fs::is_symlink(documents.directory() / "elo"));
    EXPECT_EQ(fileBytes(data.path() / "alvo"), "alvo");

    EXPECT_EQ(tree(data.path()),
              (std::set<std::string>{"Documents", "Documents/lista", "Documents/pasta",
                                     "Documents/pasta/dentro", "Documents/elo", "alvo"}));
}

TEST(Documents, NothingIsWrittenWhereTheFolderCannotBeMade)
{
    TempFolder data;
    writeFile(data.path() / "arquivo", "x"); // a file where the data folder should be
    const Documents documents(data.path() / "arquivo");
    EXPECT_FALSE(documents.write("lista", "x"));
    EXPECT_FALSE(documents.entries());
    EXPECT_EQ(tree(data.path()), std::set<std::string>{"arquivo"});
}

TEST(Documents, RemoveTakesTheEntryItselfNeverALinksTarget)
{
    TempFolder data;
    const Documents documents(data.path());
    ASSERT_TRUE(documents.entries());
    const fs::path& dir = documents.directory();
    writeFile(data.path() / "alvo", "alvo");
    fs::create_directory(data.path() / "fora");
    writeFile(data.path() / "fora" / "f", "f");
    fs::create_symlink(data.path() / "alvo", dir / "elo");
    fs::create_directory_symlink(data.path() / "fora", dir / "elo-pasta");
    fs::create_directory(dir / "pasta");
    fs::create_symlink(data.path() / "fora", dir / "pasta" / "elo-dentro");

    EXPECT_TRUE(documents.remove("elo"));
    EXPECT_TRUE(documents.remove("elo-pasta"));
    EXPECT_TRUE(documents.remove("pasta"));
    EXPECT_TRUE(documents.remove("ausente"));
    EXPECT_FALSE(documents.remove(""));
    EXPECT_FALSE(documents.remove(".."));
    EXPECT_EQ(tree(data.path()), (std::set<std::string>{"Documents", "alvo", "fora", "fora/f"}));
}

TEST(Documents, SavesWhenTheFolderIsOnAnotherFileSystem)
{
    TempFolder data;
    // /dev/shm is a memory file system apart from the temporary folder's.
    std::string pattern = "/dev/shm/cifrario-documents-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        GTEST_SKIP() << "no /dev/shm";
    const fs::path elsewhere = pattern;
    struct stat a {
    }, b{};
    ::stat(data.path().c_str(), &a);
    ::stat(elsewhere.c_str(), &b);
    if (a.st_dev == b.st_dev) {
        fs::remove_all(elsewhere);
        GTEST_SKIP() << "/dev/shm is on the same file system";
    }
    fs::create_directory_symlink(elsewhere, data.path() / "Documents");
    const Documents documents(data.path());
    const auto saved = documents.write("lista", "um");
    const auto again = documents.write("lista", "dois");
    EXPECT_TRUE(saved) << saved.error();
    EXPECT_TRUE(again) << again.error();
    EXPECT_EQ(fileBytes(elsewhere / "lista"), "dois");
    EXPECT_EQ(*documents.entries(), std::vector<std::string>{"lista"});
    // No temporary file is left on either side.
    EXPECT_EQ(std::distance(fs::directory_iterator(data.path()), fs::directory_iterator()), 1);
    fs::remove_all(elsewhere);
}

// A folder bind-mounted onto Documents/ lies on the same device as the data
// folder, yet no rename crosses the mount. The mount is made in a child
// process with a mount namespace of its own, so nothing outside sees it.
TEST(Documents, SavesWhenAFolderIsBindMountedOnDocuments)
{
    TempFolder data;
    TempFolder elsewhere;
    fs::create_directory(data.path() / "Documents");
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(report[0]);
        const auto tell = [&](const std::string& what, int status) {
            (void)!::write(report[1], what.data(), what.size());
            ::_exit(status);
        };
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWNS) != 0) {
            // Unprivileged: a user namespace of its own, mapped onto this user.
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                tell("unshare", 77);
            writeFile("/proc/self/setgroups", "deny");
            writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
            writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(elsewhere.path().c_str(), (data.path() / "Documents").c_str(), nullptr, MS_BIND,
                    nullptr) != 0)
            tell("mount", 77);
        const Documents documents(data.path());
        const auto saved = documents.write("lista", "um");
        const auto again = saved ? documents.write("lista", "dois") : saved;
        tell(again ? "" : again.error(), again ? 0 : 1);
    }
    ::close(report[1]);
    std::string said;
    char buffer[256];
    for (ssize_t got; (got = ::read(report[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(got));
    ::close(report[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no mount namespace here: " << said;
    EXPECT_EQ(WEXITSTATUS(status), 0) << said;
    // The save went to the mounted folder, and left nothing else on either side.
    EXPECT_EQ(tree(elsewhere.path()), std::set<std::string>{"lista"});
    EXPECT_EQ(fileBytes(elsewhere.path() / "lista"), "dois");
    EXPECT_EQ(tree(data.path()), std::set<std::string>{"Documents"});
}

TEST(Documents, AFolderThatCannotBeListedSaysSo)
{
    TempFolder data;
    writeFile(data.path() / "Documents", "x"); // a file where the folder should be
    const Documents documents(data.path());
    platform::LogCapture log;
    EXPECT_FALSE(documents.entries());
    const std::vector<std::string> lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Documents folder cannot be listed: " +
                            (data.path() / "Documents").string() + ": Not a directory");
    EXPECT_EQ(log.levelOf(lines[0]), platform::LogLevel::Warning);
}

#include "LocalHttpServer.h"

#include "platform/page/PageFetch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using platform::CurlPageFetcher;
using platform::PageFetchLimits;

namespace {

const std::string kPage = "<html><body><b>Am</b> e <b>G7</b> — acordes</body></html>";

LocalHttpServer::Response route(const std::string& path)
{
    if (path == "/page")
        return {200, kPage};
    if (path == "/empty")
        return {200, ""};
    if (path == "/slow")
        return {200, kPage, 400ms};
    if (path == "/stalled")
        return {200, kPage, 5000ms};
    if (path == "/moved")
        return {302, "", 0ms, true, "/page"};
    if (path == "/to-file")
        return {302, "", 0ms, true, "file:///etc/hostname"};
    if (path == "/exact")
        return {200, std::string(1000, 'a')};
    if (path == "/over")
        return {200, std::string(1001, 'a')};
    if (path == "/over-unannounced")
        return {200, std::string(1001, 'a'), 0ms, false};
    if (path == "/huge")
        return {200, std::string(5 * 1024 * 1024 + 1, 'a')};
    return {404, "<html>não há</html>"};
}

// Set once a test of this process may have fetched a web page.
bool webFetchesRan = false;

class PageFetch : public ::testing::Test {
protected:
    void SetUp() override { webFetchesRan = true; }
    static void SetUpTestSuite() { qputenv("no_proxy", "127.0.0.1"); }
    LocalHttpServer server{route};
};

} // namespace

TEST_F(PageFetch, ReturnsTheBytesOfAPage)
{
    CurlPageFetcher fetcher;
    auto result = fetcher.fetch(server.url("/page"));
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(*result, kPage);
    EXPECT_TRUE(result.error().empty());

    result = fetcher.fetch(server.url("/empty"));
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(*result, "");

    // Schemes are case-insensitive; redirects are followed.
    std::string upper = server.url("/moved");
    upper.replace(0, 4, "HTTP");
    result = fetcher.fetch(upper);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(*result, kPage);
}

TEST_F(PageFetch, AnHttpErrorIsAFailure)
{
    const auto result = CurlPageFetcher().fetch(server.url("/missing"));
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("404"), std::string::npos) << result.error();
    EXPECT_NE(result.error().find(server.url("/missing")), std::string::npos) << result.error();
}

TEST_F(PageFetch, ASlowPageTimesOut)
{
    const auto result = CurlPageFetcher({200ms, 1000}).fetch(server.url("/stalled"));
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error().empty());
}

TEST_F(PageFetch, TheWindowKeepsPaintingWhileWaiting)
{
    bool timerFired = false;
    QTimer::singleShot(10ms, [&] { timerFired = true; });
    const auto result = CurlPageFetcher({5000ms, 100000}).fetch(server.url("/slow"));
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_TRUE(timerFired);
}

TEST_F(PageFetch, APageOverTheLimitFailsCleanly)
{
    CurlPageFetcher small({5000ms, 1000});
    EXPECT_TRUE(small.fetch(server.url("/exact")).ok());
    for (const char* path : {"/over", "/over-unannounced"}) {
        const auto result = small.fetch(server.url(path));
        EXPECT_FALSE(result.ok()) << path;
        EXPECT_NE(result.error().find("larger than 1000 bytes"), std::string::npos)
            << result.error();
    }
    const auto huge = CurlPageFetcher().fetch(server.url("/huge"));
    EXPECT_FALSE(huge.ok());
    EXPECT_NE(huge.error().find("larger than 5242880 bytes"), std::string::npos) << huge.error();
}

TEST_F(PageFetch, ReadsAFileAddress)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("página.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kPage.data(), static_cast<qint64>(kPage.size()));
    file.close();

    CurlPageFetcher fetcher;
    const std::string address = "file://" + dir.filePath("p%C3%A1gina.html").toStdString();
    const auto result = fetcher.fetch(address);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(*result, kPage);

    EXPECT_FALSE(fetcher.fetch("file://" + dir.filePath("absent.html").toStdString()).ok());
}

TEST_F(PageFetch, RefusesOtherSchemes)
{
    CurlPageFetcher fetcher;
    for (const std::string& address :
         {std::string("ftp://127.0.0.1/page"), std::string("javascript:alert(1)"),
          std::string("www.example.com"), std::string(""), std::string("http:/127.0.0.1/"),
          std::string("data:text/html,<b>C</b>")}) {
        const auto result = fetcher.fetch(address);
        EXPECT_FALSE(result.ok()) << address;
        EXPECT_FALSE(result.error().empty()) << address;
    }
    // A redirect may not lead out of the web onto local files.
    EXPECT_FALSE(fetcher.fetch(server.url("/to-file")).ok());
}

TEST(FileAddress, AnythingButARegularFileIsRefusedWithoutWaiting)
{
    // A blocking open would stop the test binary here, not hang it.
    ::alarm(20);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_EQ(::mkfifo((folder + "/fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink((folder + "/absent").c_str(), (folder + "/dangling").c_str()), 0);
    const std::vector<std::pair<std::string, std::string>> cases{
        {folder + "/fifo", "not a regular file: a FIFO"},
        {"/dev/zero", "not a regular file: a device"},
        {folder, "not a regular file: a folder"},
        {folder + "/dangling", "open: No such file or directory"}};
    CurlPageFetcher fetcher;
    for (const auto& [path, reason] : cases) {
        const auto result = fetcher.fetch("file://" + path);
        EXPECT_EQ(result.error(), "file://" + path + ": " += reason);
    }
    EXPECT_FALSE(fetcher.fetch("file://elsewhere/etc/hostname"));
    ::alarm(0);
}

TEST(FileAddress, ALargerFileFailsCleanly)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("big.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1001, 'a'));
    file.close();
    const std::string address = "file://" + file.fileName().toStdString();
    const auto large = CurlPageFetcher({5000ms, 1000}).fetch(address);
    EXPECT_EQ(large.error(), address + ": file larger than 1000 bytes");
    EXPECT_EQ(large.failure().kind(), platform::ErrorKind::TooLarge); // the screen's 5 MiB line
    EXPECT_TRUE(CurlPageFetcher({5000ms, 1001}).fetch(address));
}

TEST(PageFetchLibrary, LibcurlIsLoadedByTheFirstWebFetchOnly)
{
    // Each test runs in a process of its own under ctest; run alone, this
    // one sees the process before any fetch.
    if (webFetchesRan)
        GTEST_SKIP() << "an earlier test of this process fetched pages";
    EXPECT_EQ(::dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD), nullptr);
    QTemporaryDir dir;
    QFile file(dir.filePath("p.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CurlPageFetcher fetcher;
    EXPECT_TRUE(fetcher.fetch("file://" + file.fileName().toStdString()));
    EXPECT_EQ(::dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD), nullptr);
    LocalHttpServer server{[](const std::string&) { return LocalHttpServer::Response{200, "x"}; }};
    EXPECT_TRUE(fetcher.fetch(server.url("/")));
    EXPECT_NE(::dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD), nullptr);
}

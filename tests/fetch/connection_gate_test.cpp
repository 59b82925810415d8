// Which addresses a fetch connects to, judged before each connection opens.
// Only loopback addresses are used: the fetches below call one of them
// public and every other address reserved, so that the others stand for the
// machines a page may not reach. Each server counts the connections made to
// it.
#include "LocalHttpServer.h"

#include "platform/page/PageFetch.h"
#include "platform/page/ReservedAddress.h"

#include <gtest/gtest.h>

#include <memory>
#include <system_error>

using namespace std::chrono_literals;
using platform::CurlPageFetcher;
using Response = LocalHttpServer::Response;

namespace {

const std::string kPublicPage = "<b>Am</b> público";
const std::string kInternalPage = "<b>G7</b> interno";

// A fetch to which the one address given is public, any other reserved.
CurlPageFetcher fetcherWithPublic(const std::string& publicIp)
{
    return CurlPageFetcher({5000ms, 100000},
                           [publicIp](std::string_view ip) { return ip != publicIp; });
}

LocalHttpServer::Handler serving(const std::string& page)
{
    return [page](const std::string&) { return Response{200, page}; };
}

// Answers /go-N with a redirect to the Nth target, anything else with the page.
LocalHttpServer::Handler redirecting(std::vector<std::string> targets, const std::string& page)
{
    return [targets = std::move(targets), page](const std::string& path) -> Response {
        for (std::size_t i = 0; i < targets.size(); ++i)
            if (path == "/go-" + std::to_string(i))
                return {302, "", 0ms, true, targets[i]};
        return {200, page};
    };
}

// The two addresses libcurl gives the name "localhost", 127.0.0.1 and ::1,
// at one port: a server on each, or the port held closed where the handler
// is null. So whatever a fetch of the name reaches is this test's own. The
// port is taken free on 127.0.0.1; when another process holds it on ::1,
// another port is taken.
class Localhost {
public:
    Localhost(const LocalHttpServer::Handler& atIpv4, const LocalHttpServer::Handler& atIpv6)
    {
        for (int attempt = 1;; ++attempt) {
            ipv4_ = std::make_unique<LocalHttpServer>(atIpv4, "127.0.0.1");
            try {
                ipv6_ = std::make_unique<LocalHttpServer>(atIpv6, "::1", ipv4_->port());
                return;
            } catch (const std::system_error& error) {
                if (error.code() != std::errc::address_in_use || attempt == 100)
                    throw;
            }
        }
    }
    LocalHttpServer& ipv4() { return *ipv4_; }
    LocalHttpServer& ipv6() { return *ipv6_; }
    std::string url(const std::string& path) const
    {
        return "http://localhost:" + std::to_string(ipv4_->port()) + path;
    }

private:
    std::unique_ptr<LocalHttpServer> ipv4_;
    std::unique_ptr<LocalHttpServer> ipv6_;
};

} // namespace

TEST(ConnectionGate, ARedirectIntoReservedSpaceOpensNoConnection)
{
    LocalHttpServer internal4(serving(kInternalPage), "127.0.0.2");
    LocalHttpServer internal6(serving(kInternalPage), "::1");
    LocalHttpServer site(
        redirecting({internal4.url("/"), internal6.url("/"), "/page"}, kPublicPage));
    auto fetcher = fetcherWithPublic("127.0.0.1");

    auto result = fetcher.fetch(site.url("/go-0"));
    EXPECT_EQ(result.error(),
              site.url("/go-0") + ": redirect to the non-public address 127.0.0.2 refused");
    result = fetcher.fetch(site.url("/go-1"));
    EXPECT_EQ(result.error(),
              site.url("/go-1") + ": redirect to the non-public address ::1 refused");
    EXPECT_EQ(internal4.accepts(), 0);
    EXPECT_EQ(internal6.accepts(), 0);
    EXPECT_EQ(site.accepts(), 2);

    // A redirect within public space is followed.
    result = fetcher.fetch(site.url("/go-2"));
    EXPECT_EQ(result.error(), "");
    EXPECT_EQ(result.ok() ? *result : "", kPublicPage);
    EXPECT_EQ(site.accepts(), 4);
}

// The classifier itself on the first and last address of every reserved IPv6
// block, and on the deprecated forms that carry a loopback address: a server
// listening on every address of this machine would take any connection a
// redirect into them opened (where the host has such an address). Each is
// written as the refusal names it. The addresses just outside the blocks are
// public, out on the Internet where no test goes; the classifier's own test
// holds them.
TEST(ConnectionGate, ARedirectToEitherEdgeOfAnIpv6BlockOpensNoConnection)
{
    LocalHttpServer anyAddress(serving(kInternalPage), "::");
    const std::vector<std::pair<const char*, const char*>> blocks{
        {"::", "::255.255.255.255"},            // IPv4-compatible
        {"::ffff:0:0:0", "::ffff:0:ffff:ffff"}, // IPv4-translated
        {"64:ff9b::", "64:ff9b::ffff:ffff"},
        {"64:ff9b:1::", "64:ff9b:1:ffff:ffff:ffff:ffff:ffff"},
        {"100::", "100::ffff:ffff:ffff:ffff"},
        {"100:0:0:1::", "100::1:ffff:ffff:ffff:ffff"},
        {"2001::", "2001:1ff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"2001:db8::", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"2002::", "2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"2620:4f:8000::", "2620:4f:8000:ffff:ffff:ffff:ffff:ffff"},
        {"3fff::", "3fff:fff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"5f00::", "5f00:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"fc00::", "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"fe80::", "febf:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"fec0::", "feff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"}, // site-local
        {"ff00::", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"}, // multicast
    };
    std::vector<std::string> targets{"::127.0.0.1", "::ffff:0:7f00:1"};
    for (const auto& [first, last] : blocks)
        targets.insert(targets.end(), {first, last});
    std::vector<std::string> urls;
    urls.reserve(targets.size());
    for (const std::string& target : targets)
        urls.push_back("http://[" + target + "]:" + std::to_string(anyAddress.port()) + "/");
    LocalHttpServer site(redirecting(urls, kPublicPage));
    CurlPageFetcher fetcher({5000ms, 100000}, [](std::string_view ip) {
        return ip != "127.0.0.1" && platform::isReservedAddress(ip);
    });
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::string go = site.url("/go-" + std::to_string(i));
        EXPECT_EQ(fetcher.fetch(go).error(),
                  go + ": redirect to the non-public address " + targets[i] + " refused");
    }
    EXPECT_EQ(anyAddress.accepts(), 0);
    EXPECT_EQ(site.accepts(), static_cast<int>(targets.size()));
}

TEST(ConnectionGate, ATypedNameIsReachedAtItsPublicAddressesOnly)
{
    // libcurl tries 127.0.0.1 first: here it is reserved, and ::1 public.
    Localhost site(serving(kInternalPage), serving(kPublicPage));
    const auto result = fetcherWithPublic("::1").fetch(site.url("/"));
    EXPECT_EQ(result.error(), "");
    EXPECT_EQ(result.ok() ? *result : "", kPublicPage);
    EXPECT_EQ(site.ipv4().accepts(), 0);
    EXPECT_EQ(site.ipv6().accepts(), 1);

    // When the public address refuses the connection, the reserved one is
    // not tried instead.
    Localhost reservedOnly(serving(kInternalPage), nullptr);
    const auto refused = fetcherWithPublic("::1").fetch(reservedOnly.url("/"));
    EXPECT_EQ(reservedOnly.ipv4().accepts(), 0);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().kind(), platform::ErrorKind::Refused);
}

TEST(ConnectionGate, ATypedHostWithReservedAddressesOnlyIsReachedWithItsRedirects)
{
    // The user named a machine off the public Internet: it is fetched, and
    // may send the fetch to others like it.
    LocalHttpServer other(serving(kInternalPage), "::1");
    LocalHttpServer typed(redirecting({other.url("/")}, kPublicPage), "127.0.0.2");
    auto fetcher = fetcherWithPublic("127.0.0.1");

    auto result = fetcher.fetch(typed.url("/page"));
    EXPECT_EQ(result.ok() ? *result : result.error(), kPublicPage);
    result = fetcher.fetch(typed.url("/go-0"));
    EXPECT_EQ(result.ok() ? *result : result.error(), kInternalPage);
    EXPECT_EQ(typed.accepts(), 2);
    EXPECT_EQ(other.accepts(), 1);

    // So is a name whose every address is reserved: with the real
    // classifier, "localhost".
    Localhost local(serving(kPublicPage), nullptr);
    result = CurlPageFetcher({5000ms, 100000}).fetch(local.url("/"));
    EXPECT_EQ(result.ok() ? *result : result.error(), kPublicPage);
    EXPECT_EQ(local.ipv4().accepts(), 1);
}

#pragma once
// Fetching the bytes of a web address, synchronously: the caller gets the
// page or an error saying why there is none.
#include "platform/Result.h"
#include "platform/page/ReservedAddress.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

struct CurlLibrary;

class PageFetcher {
public:
    virtual ~PageFetcher() = default;
    // The page as received, or why there is none: the error's kind tells an
    // address that is not one, a page too large, an unknown host, a timeout,
    // a refused connection and an HTTP error status (with its number) apart.
    // Returns when the fetch has ended. Main thread.
    virtual Result<std::string> fetch(const std::string& address) = 0;
};

struct PageFetchLimits {
    std::chrono::milliseconds timeout{15000}; // the whole transfer, redirects included
    std::size_t maxBytes = 5 * 1024 * 1024;   // a larger page fails
};

// Whether a numeric IPv4 or IPv6 address lies off the public Internet.
using AddressClassifier = std::function<bool(std::string_view ip)>;

// The real fetch. Accepts http://, https:// and file:// addresses only. Web
// addresses go through libcurl, loaded at the first fetch, without a proxy;
// redirects lead to http and https addresses only; an HTTP error status
// fails. Every network address is judged before a connection to it is
// opened: a reserved one (see isReservedAddress) is reached only when every
// address of the typed host is reserved, the user having named a machine off
// the public Internet on purpose. So a redirect from a public address into
// reserved space opens no connection, and a typed name with both public and
// reserved addresses is reached at its public ones only. A file address
// names a local regular file, read without waiting on anything else (a FIFO
// or a device is refused). The transfer runs on a worker thread while the
// caller waits with its windows still painting (see runAndWait); when the
// program quits meanwhile, the transfer ends at once, as an error.
class CurlPageFetcher final : public PageFetcher {
public:
    // isReserved judges the addresses; library stands in for libcurl, which
    // is otherwise loaded at the first web fetch. Both are for tests.
    explicit CurlPageFetcher(PageFetchLimits limits = {},
                             AddressClassifier isReserved = isReservedAddress,
                             const CurlLibrary* library = nullptr);
    Result<std::string> fetch(const std::string& address) override;

private:
    PageFetchLimits limits_;
    AddressClassifier isReserved_;
    const CurlLibrary* library_;
};

} // namespace platform

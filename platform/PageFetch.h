#pragma once
// Fetching the bytes of a web address, synchronously: the caller gets the
// page or an error saying why there is none.
#include "platform/Result.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

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

// The real fetch. Accepts http://, https:// and file:// addresses only. Web
// addresses go through libcurl, loaded at the first fetch; redirects lead to
// http and https addresses only, and to a special-purpose address (see
// isReservedAddress) only when the typed address was one too; an HTTP
// error status fails. A file address names a local regular file, read without
// waiting on anything else (a FIFO or a device is refused). The transfer runs
// on a worker thread while the caller waits with its windows still painting
// (see runAndWait); when the program quits meanwhile, the transfer ends at
// once, as an error.
class CurlPageFetcher final : public PageFetcher {
public:
    explicit CurlPageFetcher(PageFetchLimits limits = {});
    Result<std::string> fetch(const std::string& address) override;

private:
    PageFetchLimits limits_;
};

} // namespace platform

#pragma once
// Fetching the bytes of a web address, synchronously: the caller gets the
// page or a readable reason why there is none.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

struct PageFetchResult {
    std::optional<std::string> bytes; // the page as received; none on failure
    std::string error;                // why there are no bytes; empty on success

    bool ok() const { return bytes.has_value(); }
};

class PageFetcher {
public:
    virtual ~PageFetcher() = default;
    // Returns when the fetch has ended. Main thread.
    virtual PageFetchResult fetch(const std::string& address) = 0;
};

struct PageFetchLimits {
    std::chrono::milliseconds timeout{15000}; // the whole transfer, redirects included
    std::size_t maxBytes = 5 * 1024 * 1024;   // a larger page fails
};

// The real fetch over libcurl. Accepts http://, https:// and file:// addresses
// only (redirects to http and https only); an HTTP error status fails. The
// transfer runs on a worker thread while the caller waits with its windows
// still painting (see runAndWait).
class CurlPageFetcher final : public PageFetcher {
public:
    explicit CurlPageFetcher(PageFetchLimits limits = {});
    PageFetchResult fetch(const std::string& address) override;

private:
    PageFetchLimits limits_;
};

} // namespace platform

#pragma once
// A page fetcher for screen tests: answers from canned pages and remembers
// every address it was asked for. An address without a page fails.
#include "platform/PageFetch.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class FakePageFetcher final : public platform::PageFetcher {
public:
    void setPage(const std::string& address, std::string bytes)
    {
        pages_[address] = {std::move(bytes), {}};
    }

    platform::PageFetchResult fetch(const std::string& address) override
    {
        requests.push_back(address);
        if (duringFetch)
            duringFetch();
        const auto page = pages_.find(address);
        if (page == pages_.end())
            return {std::nullopt, address + ": no such page"};
        return page->second;
    }

    std::vector<std::string> requests;
    // Runs inside each fetch, as the user might act while it waits.
    std::function<void()> duringFetch;

private:
    std::map<std::string, platform::PageFetchResult> pages_;
};

#pragma once
// A page fetcher for screen tests: answers from canned pages and remembers
// every address it was asked for. An address without a page fails.
#include "platform/page/PageFetch.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class FakePageFetcher final : public platform::PageFetcher {
public:
    void setPage(const std::string& address, std::string bytes)
    {
        pages_.insert_or_assign(address, std::move(bytes));
    }

    platform::Result<std::string> fetch(const std::string& address) override
    {
        requests.push_back(address);
        if (duringFetch)
            duringFetch();
        const auto page = pages_.find(address);
        if (page == pages_.end())
            return platform::failure(address + ": no such page");
        return page->second;
    }

    std::vector<std::string> requests;
    // Runs inside each fetch, as the user might act while it waits.
    std::function<void()> duringFetch;

private:
    std::map<std::string, std::string> pages_;
};

#include "platform/NotificationCenter.h"

#include <algorithm>

namespace platform {

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(const void* observer, const std::string& name,
                                     std::function<void()> handler)
{
    entries_.push_back({observer, name, std::move(handler)});
}

void NotificationCenter::removeObserver(const void* observer)
{
    std::erase_if(entries_, [&](const Entry& e) { return e.observer == observer; });
}

void NotificationCenter::postNotification(const std::string& name)
{
    // Copy first: a handler may subscribe or unsubscribe while we walk.
    std::vector<std::function<void()>> handlers;
    for (const auto& e : entries_)
        if (e.name == name)
            handlers.push_back(e.handler);
    for (auto& h : handlers)
        h();
}

} // namespace platform

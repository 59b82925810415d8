#pragma once
// A notification centre: observers subscribe a handler to a named notification
// and every posting of that name calls the handlers on the posting thread (the
// main thread in this program), in order of subscription.
#include <functional>
#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kApplicationWillEnterForegroundNotification =
    "ApplicationWillEnterForegroundNotification";

class NotificationCenter {
public:
    static NotificationCenter& defaultCenter();

    // Subscribes `handler` for `name` on behalf of `observer` (an identity only).
    void addObserver(const void* observer, const std::string& name, std::function<void()> handler);
    void removeObserver(const void* observer);
    void postNotification(const std::string& name);

private:
    struct Entry {
        const void* observer;
        std::string name;
        std::function<void()> handler;
    };
    std::vector<Entry> entries_;
};

} // namespace platform

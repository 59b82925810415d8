// Quitting the program while a page is fetched wakes the transfer's wait at
// once. The transfer runs here over a stand-in for libcurl's multi interface
// whose wait, unlike libcurl's, never ends by itself: only a wakeup ends it.
#include "platform/page/CurlLibrary.h"
#include "platform/page/PageFetch.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

using namespace std::chrono_literals;

namespace {

// The stand-in's state, shared by its functions and the test.
struct Waiting {
    std::mutex mutex;
    std::condition_variable woken;
    bool wakeupPending = false;
    bool quitAsked = false;
    bool gaveUp = false; // the wait ended by the test's own bound, unwoken
} waiting;

int handle = 0; // what the stand-in hands out for every easy and multi handle

CURLcode setOption(CURL*, CURLoption, ...)
{
    return CURLE_OK;
}
CURLcode getInfo(CURL*, CURLINFO, ...)
{
    return CURLE_OK;
}
CURLMcode multiOk(CURLM*, CURL*)
{
    return CURLM_OK;
}
CURLMcode stillRunning(CURLM*, int* running)
{
    *running = 1;
    return CURLM_OK;
}

// Sleeps until woken, however long the transfer allows; bounded by a few
// seconds so that a missing wakeup fails the test instead of hanging it.
// The first wait asks the program to quit, as the user closing it would.
CURLMcode waitUntilWoken(CURLM*, curl_waitfd*, unsigned int, int, int*)
{
    std::unique_lock lock(waiting.mutex);
    if (!waiting.quitAsked) {
        waiting.quitAsked = true;
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    if (!waiting.woken.wait_for(lock, 5s, [] { return waiting.wakeupPending; }))
        waiting.gaveUp = true;
    waiting.wakeupPending = false;
    return CURLM_OK;
}

CURLMcode wakeUp(CURLM*)
{
    {
        std::lock_guard lock(waiting.mutex);
        waiting.wakeupPending = true;
    }
    waiting.woken.notify_all();
    return CURLM_OK;
}

const platform::CurlLibrary kSilentServer{
    .global_init = [](long) { return CURLE_OK; },
    .easy_init = [] { return static_cast<CURL*>(&handle); },
    .easy_setopt = setOption,
    .easy_getinfo = getInfo,
    .easy_cleanup = [](CURL*) {},
    .easy_strerror = [](CURLcode) { return "stand-in failure"; },
    .multi_init = [] { return static_cast<CURLM*>(&handle); },
    .multi_add_handle = multiOk,
    .multi_remove_handle = multiOk,
    .multi_perform = stillRunning,
    .multi_poll = waitUntilWoken,
    .multi_wakeup = wakeUp,
    .multi_info_read = [](CURLM*, int*) -> CURLMsg* { return nullptr; },
    .multi_cleanup = [](CURLM*) { return CURLM_OK; },
};

} // namespace

TEST(FetchCancel, QuittingWakesTheTransfersWait)
{
    platform::CurlPageFetcher fetcher({600s}, platform::isReservedAddress, &kSilentServer);
    const std::string address = "http://127.0.0.1:9/";
    platform::Result<std::string> result = platform::failure("not fetched");
    QTimer::singleShot(0, [&] { result = fetcher.fetch(address); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(result.error(), address + ": fetch cancelled: the program is closing");
    EXPECT_TRUE(waiting.quitAsked);
    EXPECT_FALSE(waiting.gaveUp) << "the stop left the transfer's wait asleep";
}

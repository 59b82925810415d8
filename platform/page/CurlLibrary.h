#pragma once
// libcurl, opened on first use: the program starts without it and its TLS,
// Kerberos and LDAP libraries, and loads them when the first page is fetched.
#include "platform/Result.h"

#include <curl/curl.h>

namespace platform {

// The libcurl calls the page fetch makes; a test may hand the fetch a
// stand-in (see CurlPageFetcher).
struct CurlLibrary {
    CURLcode (*global_init)(long flags);
    CURL* (*easy_init)();
    CURLcode (*easy_setopt)(CURL* curl, CURLoption option, ...);
    CURLcode (*easy_getinfo)(CURL* curl, CURLINFO info, ...);
    void (*easy_cleanup)(CURL* curl);
    const char* (*easy_strerror)(CURLcode code);
    // The multi interface, for a transfer that another thread can wake.
    CURLM* (*multi_init)();
    CURLMcode (*multi_add_handle)(CURLM* multi, CURL* curl);
    CURLMcode (*multi_remove_handle)(CURLM* multi, CURL* curl);
    CURLMcode (*multi_perform)(CURLM* multi, int* running);
    CURLMcode (*multi_poll)(CURLM* multi, curl_waitfd* extra, unsigned int count, int timeoutMs,
                            int* ready);
    CURLMcode (*multi_wakeup)(CURLM* multi);
    CURLMsg* (*multi_info_read)(CURLM* multi, int* queued);
    CURLMcode (*multi_cleanup)(CURLM* multi);
};

// The library, loaded and globally initialised at the first call, which may
// come from any thread; later calls answer the same. An error when libcurl
// cannot be loaded. Never unloaded.
const Result<const CurlLibrary*>& curlLibrary();

} // namespace platform

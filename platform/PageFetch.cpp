#include "platform/PageFetch.h"

#include "platform/RunAndWait.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <mutex>
#include <string_view>

namespace platform {

namespace {

bool hasAllowedScheme(std::string_view address)
{
    for (std::string_view scheme : {"http://", "https://", "file://"}) {
        if (address.size() >= scheme.size() &&
            std::equal(scheme.begin(), scheme.end(), address.begin(), [](char a, char b) {
                return a == std::tolower(static_cast<unsigned char>(b));
            }))
            return true;
    }
    return false;
}

struct Body {
    std::string bytes;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
};

// Returning less than was offered makes curl abort the transfer.
std::size_t appendToBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* body = static_cast<Body*>(user);
    const std::size_t length = size * count;
    if (length > body->maxBytes - body->bytes.size()) {
        body->tooLarge = true;
        return 0;
    }
    body->bytes.append(data, length);
    return length;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

PageFetchResult fetchWithCurl(const std::string& address, const PageFetchLimits& limits)
{
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return {std::nullopt, "cannot start a transfer"};
    Body body;
    body.maxBytes = limits.maxBytes;
    std::array<char, CURL_ERROR_SIZE> detail{};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.timeout.count()));
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Cifrario");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, appendToBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail.data());

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK)
        return {std::move(body.bytes), {}};
    if (body.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return {std::nullopt, "page larger than " + std::to_string(limits.maxBytes) + " bytes"};
    return {std::nullopt, detail[0] != '\0' ? detail.data() : curl_easy_strerror(code)};
}

} // namespace

CurlPageFetcher::CurlPageFetcher(PageFetchLimits limits) : limits_(limits)
{
    // Global set-up is not thread-safe in every libcurl; do it once, here.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

PageFetchResult CurlPageFetcher::fetch(const std::string& address)
{
    if (!hasAllowedScheme(address))
        return {std::nullopt, "not an http, https or file address: \"" + address + "\""};
    PageFetchResult result;
    runAndWait([&] { result = fetchWithCurl(address, limits_); });
    if (!result.ok())
        result.error = address + ": " + result.error;
    return result;
}

} // namespace platform

#include "platform/PageFetch.h"

#include "platform/CurlLibrary.h"
#include "platform/RegularFile.h"
#include "platform/ReservedAddress.h"
#include "platform/RunAndWait.h"

#include <QUrl>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <stop_token>

namespace platform {

namespace {

bool hasScheme(std::string_view address, std::string_view scheme)
{
    return address.size() >= scheme.size() &&
           std::equal(scheme.begin(), scheme.end(), address.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

// The kinds of failure the import screen tells apart.
ErrorKind kindOf(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return ErrorKind::HostNotFound;
    case CURLE_OPERATION_TIMEDOUT:
        return ErrorKind::TimedOut;
    case CURLE_COULDNT_CONNECT:
    case CURLE_SSL_CONNECT_ERROR:
        return ErrorKind::Refused;
    case CURLE_HTTP_RETURNED_ERROR:
        return ErrorKind::HttpStatus;
    default:
        return ErrorKind::Other;
    }
}

struct Transfer {
    std::string bytes;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    int connections = 0;          // requests sent so far, redirects included
    bool typedWasSpecial = false; // the typed address's host is off the public Internet
    std::string refusedRedirect;  // the special-purpose address a redirect led to
};

// Returning less than was offered makes curl abort the transfer.
std::size_t appendToBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    if (length > transfer->maxBytes - transfer->bytes.size()) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->bytes.append(data, length);
    return length;
}

// Called once a connection is made, before each request (the typed one and
// every redirect) is sent: a redirect may reach a special-purpose address
// (loopback, private, link-local, documentation, multicast...) only when the
// typed address did.
int checkConnection(void* user, char* primaryIp, char*, int, int)
{
    auto* transfer = static_cast<Transfer*>(user);
    const bool special = isReservedAddress(primaryIp);
    if (transfer->connections++ == 0) {
        transfer->typedWasSpecial = special;
    } else if (special && !transfer->typedWasSpecial) {
        transfer->refusedRedirect = primaryIp;
        return CURL_PREREQFUNC_ABORT;
    }
    return CURL_PREREQFUNC_OK;
}

// Runs the transfer to its end, or until stop is requested: then at once,
// with CURLE_ABORTED_BY_CALLBACK, however long the server keeps silent.
CURLcode perform(const CurlLibrary& lib, CURL* curl, const std::stop_token& stop)
{
    const auto cleanup = [&lib](CURLM* m) { lib.multi_cleanup(m); };
    std::unique_ptr<CURLM, decltype(cleanup)> multi(lib.multi_init(), cleanup);
    if (!multi || lib.multi_add_handle(multi.get(), curl) != CURLM_OK)
        return CURLE_OUT_OF_MEMORY;
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    {
        // Called on the thread that asks to stop, while the wait below may
        // be sleeping.
        const std::stop_callback wake(stop, [&] { lib.multi_wakeup(multi.get()); });
        int running = 1;
        while (!stop.stop_requested()) {
            if (lib.multi_perform(multi.get(), &running) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
            if (running == 0) {
                int queued = 0;
                const CURLMsg* message = lib.multi_info_read(multi.get(), &queued);
                code = message && message->msg == CURLMSG_DONE ? message->data.result
                                                               : CURLE_FAILED_INIT;
                break;
            }
            if (lib.multi_poll(multi.get(), nullptr, 0, 1000, nullptr) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
        }
    }
    lib.multi_remove_handle(multi.get(), curl);
    return code;
}

Result<std::string> fetchWithCurl(const CurlLibrary& lib, const std::string& address,
                                  const PageFetchLimits& limits, const std::stop_token& stop)
{
    const auto cleanup = [&lib](CURL* c) { lib.easy_cleanup(c); };
    std::unique_ptr<CURL, decltype(cleanup)> curl(lib.easy_init(), cleanup);
    if (!curl)
        return failure("cannot start a transfer");
    Transfer transfer;
    transfer.maxBytes = limits.maxBytes;
    std::array<char, CURL_ERROR_SIZE> detail{};
    CURL* c = curl.get();
    lib.easy_setopt(c, CURLOPT_URL, address.c_str());
    lib.easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    lib.easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lib.easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    lib.easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    lib.easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    lib.easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    lib.easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.timeout.count()));
    lib.easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    lib.easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    lib.easy_setopt(c, CURLOPT_USERAGENT, "Cifrario");
    lib.easy_setopt(c, CURLOPT_WRITEFUNCTION, appendToBody);
    lib.easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    lib.easy_setopt(c, CURLOPT_PREREQFUNCTION, checkConnection);
    lib.easy_setopt(c, CURLOPT_PREREQDATA, &transfer);
    lib.easy_setopt(c, CURLOPT_ERRORBUFFER, detail.data());

    const CURLcode code = perform(lib, c, stop);
    if (code == CURLE_OK)
        return std::move(transfer.bytes);
    if (stop.stop_requested())
        return failure("fetch cancelled: the program is closing");
    if (!transfer.refusedRedirect.empty())
        return failure("redirect to the non-public address " + transfer.refusedRedirect +
                       " refused");
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return failure("page larger than " + std::to_string(limits.maxBytes) + " bytes",
                       ErrorKind::TooLarge);
    long status = 0;
    if (code == CURLE_HTTP_RETURNED_ERROR)
        lib.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    return failure(detail[0] != '\0' ? detail.data() : lib.easy_strerror(code), kindOf(code),
                   static_cast<int>(status));
}

// A file address names a file on this machine: no host, or "localhost".
Result<std::string> readFileAddress(const std::string& address, std::size_t maxBytes)
{
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || !url.isLocalFile() ||
        !(url.host().isEmpty() || url.host() == QLatin1String("localhost")))
        return failure("not a local file address");
    return readRegularFile(url.toLocalFile().toStdString(), maxBytes);
}

} // namespace

CurlPageFetcher::CurlPageFetcher(PageFetchLimits limits) : limits_(limits) {}

Result<std::string> CurlPageFetcher::fetch(const std::string& address)
{
    const bool file = hasScheme(address, "file://");
    if (!file && !hasScheme(address, "http://") && !hasScheme(address, "https://"))
        return failure("not an http, https or file address: \"" + address + "\"",
                       ErrorKind::NotAnAddress);
    Result<std::string> result = failure("not fetched");
    const auto ran = runAndWait([&](const std::stop_token& stop) {
        if (file) {
            result = readFileAddress(address, limits_.maxBytes);
            return;
        }
        const auto& curl = curlLibrary();
        result = curl ? fetchWithCurl(**curl, address, limits_, stop)
                      : Result<std::string>(failure(curl.error()));
    });
    if (!ran)
        return failure(address + ": " + ran.error());
    if (!result)
        return failure(address + ": " + result.error(), result.failure().kind(),
                       result.failure().status());
    return result;
}

} // namespace platform

#include "platform/page/PageFetch.h"

#include "platform/RegularFile.h"
#include "platform/RunAndWait.h"
#include "platform/page/CurlLibrary.h"
#include "platform/page/ReservedAddress.h"

#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <stop_token>
#include <vector>

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

// Which addresses a transfer may connect to, judged before each connection
// is opened. Runs in the transfer's callbacks, on its thread.
class AddressGate {
public:
    explicit AddressGate(const AddressClassifier& isReserved) : isReserved_(isReserved) {}

    // Whether a connection to ip may be opened.
    bool allows(const std::string& ip)
    {
        const bool reserved = isReserved_(ip);
        if (requestsSent_ == 0) { // the typed host
            if (!reserved) {
                typedHostIsPublic_ = true;
                return true;
            }
            if (typedHostIsLocal_)
                return std::find(typedReserved_.begin(), typedReserved_.end(), ip) !=
                       typedReserved_.end();
            typedReserved_.push_back(ip);
            return false;
        }
        if (reserved && !typedHostIsLocal_) {
            refusedRedirect_ = ip;
            return false;
        }
        return true;
    }
    void requestSent() { ++requestsSent_; }

    // After a failed transfer: whether every address the typed host offered
    // was reserved, so that none was tried, and the transfer may run again
    // reaching those very addresses.
    bool retryAsLocal()
    {
        if (typedHostIsLocal_ || requestsSent_ > 0 || typedHostIsPublic_ || typedReserved_.empty())
            return false;
        typedHostIsLocal_ = true;
        return true;
    }
    // The reserved address a redirect led to, refused; empty if none.
    const std::string& refusedRedirect() const { return refusedRedirect_; }

private:
    const AddressClassifier& isReserved_;
    int requestsSent_ = 0;                   // redirects included
    bool typedHostIsPublic_ = false;         // the typed host offered a public address
    std::vector<std::string> typedReserved_; // the typed host's reserved addresses
    bool typedHostIsLocal_ = false;          // ...were all it had
    std::string refusedRedirect_;
};

// The numeric text of a socket address; empty for any family but IPv4 and
// IPv6.
std::string numericAddress(const curl_sockaddr& address)
{
    std::array<char, INET6_ADDRSTRLEN> text{};
    const void* raw = nullptr;
    if (address.family == AF_INET && address.addrlen >= sizeof(sockaddr_in))
        raw = &reinterpret_cast<const sockaddr_in*>(&address.addr)->sin_addr;
    else if (address.family == AF_INET6 && address.addrlen >= sizeof(sockaddr_in6))
        raw = &reinterpret_cast<const sockaddr_in6*>(&address.addr)->sin6_addr;
    if (raw == nullptr || ::inet_ntop(address.family, raw, text.data(), text.size()) == nullptr)
        return {};
    return text.data();
}

// Called for every connection curl is about to open, before it is opened:
// a refused address gets no socket, so no packet reaches it, and curl goes
// on to the host's next address.
curl_socket_t openCheckedSocket(void* user, curlsocktype purpose, curl_sockaddr* address)
{
    const std::string ip = numericAddress(*address);
    if (purpose != CURLSOCKTYPE_IPCXN || ip.empty() || !static_cast<AddressGate*>(user)->allows(ip))
        return CURL_SOCKET_BAD;
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

// Called once a connection is made, before each request (the typed one and
// every redirect) is sent.
int countRequest(void* user, char*, char*, int, int)
{
    static_cast<AddressGate*>(user)->requestSent();
    return CURL_PREREQFUNC_OK;
}

// Runs the transfer to its end, or until stop is requested: then at once,
// with CURLE_ABORTED_BY_CALLBACK, however long the server keeps silent.
CURLcode perform(const CurlLibrary& lib, CURLM* multi, CURL* curl, const std::stop_token& stop)
{
    if (lib.multi_add_handle(multi, curl) != CURLM_OK)
        return CURLE_OUT_OF_MEMORY;
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    {
        // Called on the thread that asks to stop, while the wait below may
        // be sleeping.
        const std::stop_callback wake(stop, [&] { lib.multi_wakeup(multi); });
        int running = 1;
        while (!stop.stop_requested()) {
            if (lib.multi_perform(multi, &running) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
            if (running == 0) {
                int queued = 0;
                const CURLMsg* message = lib.multi_info_read(multi, &queued);
                code = message && message->msg == CURLMSG_DONE ? message->data.result
                                                               : CURLE_FAILED_INIT;
                break;
            }
            if (lib.multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
        }
    }
    lib.multi_remove_handle(multi, curl);
    return code;
}

Result<std::string> fetchWithCurl(const CurlLibrary& lib, const std::string& address,
                                  const PageFetchLimits& limits,
                                  const AddressClassifier& isReserved, const std::stop_token& stop)
{
    const auto cleanup = [&lib](CURL* c) { lib.easy_cleanup(c); };
    std::unique_ptr<CURL, decltype(cleanup)> curl(lib.easy_init(), cleanup);
    // One multi handle for the whole fetch: a second run finds the host's
    // addresses in its cache, as the first resolved them.
    const auto multiCleanup = [&lib](CURLM* m) { lib.multi_cleanup(m); };
    std::unique_ptr<CURLM, decltype(multiCleanup)> multi(lib.multi_init(), multiCleanup);
    if (!curl || !multi)
        return failure("cannot start a transfer");
    Transfer transfer;
    transfer.maxBytes = limits.maxBytes;
    AddressGate gate(isReserved);
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
    // A proxy would open the connections to the page's hosts itself, out of
    // the gate's sight; the empty text also overrides the environment's.
    lib.easy_setopt(c, CURLOPT_PROXY, "");
    lib.easy_setopt(c, CURLOPT_WRITEFUNCTION, appendToBody);
    lib.easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    lib.easy_setopt(c, CURLOPT_OPENSOCKETFUNCTION, openCheckedSocket);
    lib.easy_setopt(c, CURLOPT_OPENSOCKETDATA, &gate);
    lib.easy_setopt(c, CURLOPT_PREREQFUNCTION, countRequest);
    lib.easy_setopt(c, CURLOPT_PREREQDATA, &gate);
    lib.easy_setopt(c, CURLOPT_ERRORBUFFER, detail.data());

    CURLcode code = perform(lib, multi.get(), c, stop);
    // A typed host with reserved addresses only: the user named it on purpose.
    if (code == CURLE_COULDNT_CONNECT && !stop.stop_requested() && gate.retryAsLocal()) {
        detail[0] = '\0';
        code = perform(lib, multi.get(), c, stop);
    }
    if (code == CURLE_OK)
        return std::move(transfer.bytes);
    if (stop.stop_requested())
        return failure("fetch cancelled: the program is closing");
    if (!gate.refusedRedirect().empty())
        return failure("redirect to the non-public address " + gate.refusedRedirect() + " refused");
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

CurlPageFetcher::CurlPageFetcher(PageFetchLimits limits, AddressClassifier isReserved,
                                 const CurlLibrary* library)
    : limits_(limits), isReserved_(std::move(isReserved)), library_(library)
{
}

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
        if (library_) {
            result = fetchWithCurl(*library_, address, limits_, isReserved_, stop);
            return;
        }
        const auto& curl = curlLibrary();
        result = curl ? fetchWithCurl(**curl, address, limits_, isReserved_, stop)
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

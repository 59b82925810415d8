#include "platform/page/CurlLibrary.h"

#include <dlfcn.h>
#include <type_traits>

namespace platform {
namespace {

Result<const CurlLibrary*> loadCurl()
{
    void* handle = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return failure(std::string("cannot load libcurl: ") + ::dlerror());
    bool complete = true;
    const auto symbol = [&](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, name));
        complete = complete && function != nullptr;
    };
    static CurlLibrary library{};
    symbol(library.global_init, "curl_global_init");
    symbol(library.easy_init, "curl_easy_init");
    symbol(library.easy_setopt, "curl_easy_setopt");
    symbol(library.easy_getinfo, "curl_easy_getinfo");
    symbol(library.easy_cleanup, "curl_easy_cleanup");
    symbol(library.easy_strerror, "curl_easy_strerror");
    symbol(library.multi_init, "curl_multi_init");
    symbol(library.multi_add_handle, "curl_multi_add_handle");
    symbol(library.multi_remove_handle, "curl_multi_remove_handle");
    symbol(library.multi_perform, "curl_multi_perform");
    symbol(library.multi_poll, "curl_multi_poll");
    symbol(library.multi_wakeup, "curl_multi_wakeup");
    symbol(library.multi_info_read, "curl_multi_info_read");
    symbol(library.multi_cleanup, "curl_multi_cleanup");
    if (!complete)
        return failure("cannot load libcurl: a function is missing");
    if (library.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return failure("cannot initialise libcurl");
    return &library;
}

} // namespace

const Result<const CurlLibrary*>& curlLibrary()
{
    // A function-local static is set up once even when threads race to it,
    // which global initialisation of libcurl needs.
    static const Result<const CurlLibrary*> library = loadCurl();
    return library;
}

} // namespace platform

#include "platform/CurlLibrary.h"

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
    symbol(library.easy_perform, "curl_easy_perform");
    symbol(library.easy_getinfo, "curl_easy_getinfo");
    symbol(library.easy_cleanup, "curl_easy_cleanup");
    symbol(library.easy_strerror, "curl_easy_strerror");
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

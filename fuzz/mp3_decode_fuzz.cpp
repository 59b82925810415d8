// Fuzzes the decoding of a sample file: whatever the bytes, the decoder gives
// back a sample within the bounds a file of their size may claim, or refuses
// them with a reason; never a crash, a hang, an exception or a huge
// allocation.
#include "platform/audio/DecodedSample.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto sample = platform::decodeMp3({data, size});
    if (sample &&
        ((*sample)->frames.empty() || (*sample)->length() > platform::maxFramesForFileOf(size)))
        std::abort();
    if (!sample && sample.error().empty())
        std::abort(); // a refusal always says why
    return 0;
}

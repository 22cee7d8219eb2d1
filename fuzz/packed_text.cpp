// Any bytes through the unpacker of the texts the program carries packed:
// it either unpacks within its limit or refuses; no sanitizer report.

#include "Check.h"
#include "framework/loader/Lz4.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kLimit = 1 << 16;
    std::string out;
    if (klarvo::UnpackLz4(std::string_view(reinterpret_cast<const char*>(data), size), out, kLimit)) {
        FUZZ_CHECK(out.size() <= kLimit);
    }
    return 0;
}

// libFuzzer entry point: headless_match.

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvel::fuzz::headlessMatch({reinterpret_cast<const char*>(data), size});
    return 0;
}

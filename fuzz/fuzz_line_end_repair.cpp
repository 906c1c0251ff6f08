// libFuzzer entry point: line_end_repair.

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvel::fuzz::lineEndRepair({reinterpret_cast<const char*>(data), size});
    return 0;
}

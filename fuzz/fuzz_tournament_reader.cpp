// libFuzzer entry point: tournament_reader.

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorvel::fuzz::tournamentReader({reinterpret_cast<const char*>(data), size});
    return 0;
}

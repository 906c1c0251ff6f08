// quorvel-first-load read|load <path>: reads or loads a player database once, in this fresh
// process, and prints how long that took in nanoseconds. The benchmarks start it once per
// sample, because the game loads its database once, into memory it has never touched.

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "records/file_io.h"
#include "records/player_database.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    const std::string_view what = argc == 3 ? argv[1] : "";
    if (what != "read" && what != "load") {
        std::fprintf(stderr, "usage: quorvel-first-load read|load <path>\n");
        return 2;
    }
    const std::string path = argv[2];
    std::string bytes;
    PlayerDatabase database;

    const auto start = std::chrono::steady_clock::now();
    const bool ok = what == "read" ? !readWholeFile(path, bytes)
                                   : loadPlayerFile(path, database) == LoadOutcome::Loaded;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Printed before the bytes or the database are freed: freeing is not part of loading.
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()));
    return ok ? 0 : 1;
}

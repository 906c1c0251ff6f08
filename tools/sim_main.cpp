// quorvel-sim: plays one whole match headless and prints its scoresheet, the first innings'
// summary and the result.

#include <cstdio>
#include <string>
#include <vector>

#include "screen/headless_match.h"

using namespace quorvel;

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = parseSimArguments(arguments, error);
    if (!options) {
        std::fprintf(stderr, "quorvel-sim: %s\n%s", error.c_str(), kSimUsage);
        return 2;
    }
    const SimResult result = runSim(*options);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fflush(stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return result.exitStatus;
}

#include "engine/random.h"

namespace quorvel {

Random& programRandom() {
    static Random random;
    return random;
}

} // namespace quorvel

#include "engine/innings_figures.h"

namespace quorvel {

void updateRates(InningsFigures& f) {
    f.runRate = f.oversFigure == 0 ? 0 : f.totalRuns / f.oversFigure;
    for (int slot = 0; slot < kCreaseSlots; ++slot)
        f.batsmanStrikeRates[slot] =
            f.batsmanBalls[slot] > 0 ? f.batsmanRuns[slot] * 100.0 / f.batsmanBalls[slot] : 0;
    if (f.inningsIndex == 1) {
        if (f.oversFigure != kOversPerInnings)
            f.requiredRate =
                (static_cast<double>(f.target) - f.totalRuns) / (kOversPerInnings - f.oversFigure);
        f.progressPosition = f.totalRuns;
    }
}

} // namespace quorvel

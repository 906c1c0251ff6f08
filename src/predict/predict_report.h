#pragma once
// quorvel-sim --predict: one seeded match played headless, then each side's chance of winning
// after every over of it, as text, CSV or JSON.

#include <string>
#include <vector>

#include "predict/win_predictor.h"
#include "screen/headless_match.h"

namespace quorvel {

// The lines of the report for the estimates of one match (whose record names the sides).
std::string predictionReport(SimFormat format, const Scores& record,
                             const std::vector<WinPoint>& points, int remainders);

// The whole command: start-up, sides, toss, the match, then the estimates.
SimResult runPredictSim(const SimOptions& options);

} // namespace quorvel

#pragma once
// quorvel-sim --predict: one seeded match played headless, then each side's chance of winning
// after every over of it, as text, CSV or JSON.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/sim_command.h"
#include "predict/win_predictor.h"

namespace quorvel {

// The report for the estimates of one match (whose record names the sides).
void writePrediction(cli::OutputFormat format, const Scores& record,
                     const std::vector<WinPoint>& points, int remainders,
                     const std::function<void(std::string_view)>& write);
std::string predictionReport(cli::OutputFormat format, const Scores& record,
                             const std::vector<WinPoint>& points, int remainders);

// The whole command: start-up, sides, toss, the match, then the estimates.
SimResult runPredictSim(const SimOptions& options);

} // namespace quorvel

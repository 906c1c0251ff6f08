#pragma once
// Who is winning: the rest of a match played many times from a position between two overs,
// every choice by the computer's rules for both sides, the user's side keeping its sliders,
// and the outcomes counted. The remainders draw from generators of their own, seeded from the
// position, so the match's own draws are never touched and one position always gives the same
// estimate, on any number of threads.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/match_host.h"
#include "predict/match_position.h"

namespace quorvel {

class PlayerDatabase;

inline constexpr int kDefaultRemainders = 2000;

struct WinEstimate {
    int remainders = 0; // remainders played to a result
    int inningsInPlay = 0;
    // Chances by side, indexed as Scores::teams, and of a tie; each with its standard error.
    std::array<double, 2> win{};
    double tie = 0;
    std::array<double, 2> winError{};
    double tieError = 0;
    // How often the innings in play ended on each total: finalTotals[runs] remainders.
    std::vector<std::int64_t> finalTotals;
};

struct PredictOptions {
    int remainders = kDefaultRemainders;
    int threads = 0;                           // 0: one a core
    const std::atomic<bool>* cancel = nullptr; // set: stop and give no estimate
};

// The seed that the remainders of a position start from: a hash of its record (without the
// match date) and of the user's sliders.
std::uint64_t positionSeed(const MatchPosition& position, const SliderPositions& userSliders);

// Plays the rest of the match from `position` options.remainders times. None when cancelled.
std::optional<WinEstimate> predictWin(const MatchPosition& position,
                                      const SliderPositions& userSliders,
                                      const PlayerDatabase& database,
                                      const PredictOptions& options = {});

// The estimate after every over the record holds, in order (the first innings' overs, then
// the second's), each with its innings and over count. Stops with what it has when cancelled.
struct WinPoint {
    int innings = 0;
    int overs = 0; // overs of that innings bowled
    WinEstimate estimate;
};
std::vector<WinPoint> predictEveryOver(const Scores& record, const PlayerDatabase& database,
                                       const PredictOptions& options = {});

} // namespace quorvel

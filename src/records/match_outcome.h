#pragma once
// Who won a match, and by how much: the one rule the match flow, the statistics, the tournament
// and the predictor read. The side batting second wins when it passes the first innings' total
// (by the wickets it had left), the side batting first when the chase falls short (by the runs
// between the totals), and level totals are a tie.

#include <string>

namespace quorvel {

enum class Winner { FirstBatting, SecondBatting, Tie };

struct MatchOutcome {
    Winner winner = Winner::Tie;
    int margin = 0; // runs when the side batting first won, wickets when the chase won, else 0
};

MatchOutcome matchOutcome(int firstRuns, int secondRuns, int secondWickets);

// "India won by 45 runs", "Sri Lanka won by 3 wickets" (one run, one wicket) or "Match tied".
std::string outcomeText(const MatchOutcome& outcome, const std::string& firstBatting,
                        const std::string& secondBatting);

} // namespace quorvel

#include "records/match_outcome.h"

#include "records/innings.h"

namespace quorvel {

MatchOutcome matchOutcome(int firstRuns, int secondRuns, int secondWickets) {
    if (firstRuns == secondRuns)
        return {Winner::Tie, 0};
    if (firstRuns > secondRuns)
        return {Winner::FirstBatting, firstRuns - secondRuns};
    return {Winner::SecondBatting, kWicketsPerInnings - secondWickets};
}

std::string outcomeText(const MatchOutcome& outcome, const std::string& firstBatting,
                        const std::string& secondBatting) {
    const std::string margin = std::to_string(outcome.margin);
    switch (outcome.winner) {
    case Winner::FirstBatting:
        return firstBatting + " won by " + margin + (outcome.margin == 1 ? " run" : " runs");
    case Winner::SecondBatting:
        return secondBatting + " won by " + margin + (outcome.margin == 1 ? " wicket" : " wickets");
    case Winner::Tie:
        break;
    }
    return "Match tied";
}

} // namespace quorvel

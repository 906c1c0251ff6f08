#include "tournament/tournament_play.h"

#include "engine/random.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_stats.h"
#include "screen/headless_match.h"

namespace quorvel {

namespace {

int sideIndex(const std::string& name) {
    for (int side = 0; side < kTournamentSides; ++side)
        if (countryNameAt(side) == name)
            return side;
    return kNoSide;
}

InningsTally tallyOf(const InningsCard& card, int side) {
    const InningsSummary summary = summarizeInnings(card);
    InningsTally tally;
    tally.side = side;
    tally.runs = summary.runs;
    tally.wickets = summary.wickets;
    tally.balls = summary.balls;
    for (const BattingEntry& entry : card.batting)
        if (entry.playerId != kNoPlayer &&
            (entry.ballsFaced > 0 || entry.howOut != Dismissal::NotOut))
            tally.batters.push_back(
                {entry.playerId, entry.runs, entry.ballsFaced, entry.howOut == Dismissal::NotOut});
    for (const BowlingEntry& entry : card.bowling)
        if (entry.playerId != kNoPlayer)
            tally.bowlers.push_back({entry.playerId, entry.wicketsTaken, entry.runsGiven,
                                     ballsOfOvers(entry.oversDone)});
    return tally;
}

} // namespace

MatchResult matchResultOf(const Fixture& fixture, std::uint32_t seed, const Scores& scores,
                          const std::array<InningsCard, 2>& cards) {
    MatchResult result;
    result.fixture = fixture;
    result.seed = seed;
    const int first = scores.battingFirst == 1 ? 1 : 0;
    result.tossWinner = sideIndex(scores.teams[scores.tossWinner == 1 ? 1 : 0].name());
    result.innings[0] = tallyOf(cards[0], sideIndex(scores.teams[first].name()));
    result.innings[1] = tallyOf(cards[1], sideIndex(scores.teams[1 - first].name()));
    return result;
}

std::optional<std::string> playNextMatch(Tournament& tournament, const PlayerDatabase& database) {
    const std::optional<Fixture> fixture = tournament.nextFixture();
    if (!fixture)
        return "the tournament is over";
    Scores scores;
    const std::string left(countryNameAt(fixture->sides[0]));
    const std::string right(countryNameAt(fixture->sides[1]));
    if (auto problem = setUpPredefinedSides(scores, database, left, right))
        return problem;
    const std::uint32_t seed = tournament.nextSeed();
    Random random;
    const PlayedMatch played = playHeadlessMatch(scores, database, random, seed, true, true, false);
    if (!played.finished)
        return left + " v " + right + ": no bowler could bowl the next over";
    if (!tournament.record(matchResultOf(*fixture, seed, scores, played.cards)))
        return left + " v " + right + ": the match did not finish";
    return std::nullopt;
}

std::optional<std::string> playOut(Tournament& tournament, const PlayerDatabase& database) {
    while (tournament.nextFixture())
        if (auto problem = playNextMatch(tournament, database))
            return problem;
    return std::nullopt;
}

} // namespace quorvel

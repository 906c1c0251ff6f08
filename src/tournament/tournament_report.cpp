#include "tournament/tournament_report.h"

#include <cstdio>

#include "records/player_database.h"

namespace quorvel {

namespace {

std::string sideName(int side) { return std::string(countryNameAt(side)); }

} // namespace

std::string playerName(const PlayerDatabase& database, std::int32_t id) {
    const Player* player = database.findById(id);
    if (player == nullptr)
        return "?";
    return std::string(1, player->initial()) + " " + player->surname.str();
}

std::string rateText(double rate, bool plusSign) {
    char text[32];
    std::snprintf(text, sizeof text, plusSign ? "%+.3f" : "%.3f", rate);
    return text;
}

std::string stageName(Stage stage) {
    return stage == Stage::Final ? "Final" : stage == Stage::SemiFinal ? "Semi-final" : "Match";
}

std::string figureText(const LeaderLine& line, bool spell) {
    if (spell)
        return std::to_string(line.primary) + "/" + std::to_string(line.secondary);
    return std::to_string(line.primary) + (line.notOut ? "*" : "");
}

std::vector<const MatchResult*> knockouts(const Tournament& tournament) {
    std::vector<const MatchResult*> list;
    for (const MatchResult& result : tournament.results())
        if (result.fixture.stage != Stage::RoundRobin)
            list.push_back(&result);
    return list;
}

namespace {

std::string knockoutLine(const Tournament& tournament, const MatchResult& result) {
    std::string text = stageName(result.fixture.stage) + ": " + inningsText(result.innings[0]) +
                       ", " + inningsText(result.innings[1]) + ": " + resultText(result);
    if (fieldWinner(result) == kNoSide)
        text +=
            "; " + sideName(tournament.knockoutWinner(result)) + " go through, higher in the table";
    return text;
}

std::string leadersBlock(const PlayerDatabase& database, const std::vector<LeaderList>& lists) {
    std::string out = "Leaders\n";
    for (const LeaderList& list : lists) {
        out += std::string(list.title) + "\n";
        for (const LeaderLine& line : *list.lines)
            out += "  " + playerName(database, line.playerId) + " (" + sideName(line.side) + ") " +
                   figureText(line, list.spell) + "\n";
    }
    return out;
}

} // namespace

std::vector<LeaderList> leaderLists(const Leaders& leaders) {
    return {
        {"Most runs", "most_runs", &leaders.mostRuns, false},
        {"Most wickets", "most_wickets", &leaders.mostWickets, false},
        {"Highest scores", "highest_scores", &leaders.highestScores, false},
        {"Best bowling", "best_bowling", &leaders.bestBowling, true},
    };
}

std::string tournamentTableText(const Tournament& tournament) {
    std::string out = "Table\nPos Side            P   W   L   T  Pts     NRR\n";
    int position = 0;
    for (const TableRow& row : tournament.table()) {
        char line[128];
        std::snprintf(line, sizeof line, "%3d %-13s %3d %3d %3d %3d %4d  %s\n", ++position,
                      sideName(row.side).c_str(), row.played, row.won, row.lost, row.tied,
                      row.points, rateText(row.netRunRate()).c_str());
        out += line;
    }
    out += "\nKnockouts\n";
    for (const MatchResult* result : knockouts(tournament))
        out += knockoutLine(tournament, *result) + "\n";
    if (const auto champion = tournament.champion())
        out += "\nChampion: " + sideName(*champion) + "\n";
    return out;
}

std::string tournamentLeadersText(const Tournament& tournament, const PlayerDatabase& database) {
    const Leaders leaders = leadersOf(tournament.results());
    return leadersBlock(database, leaderLists(leaders));
}

std::string tournamentMatchText(const Tournament& tournament, const MatchResult& result) {
    if (result.fixture.stage != Stage::RoundRobin)
        return knockoutLine(tournament, result);
    return inningsText(result.innings[0]) + ", " + inningsText(result.innings[1]) + ": " +
           resultText(result);
}

} // namespace quorvel

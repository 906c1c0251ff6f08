#include "tournament/tournament_report.h"

#include <cstdio>
#include <ctime>

#include "common/text_format.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "tournament/tournament_play.h"

namespace quorvel {

namespace {

constexpr int kExitFileError = 1;
constexpr int kExitBadSetUp = 2;
constexpr int kExitStuck = 3;

std::string sideName(int side) { return std::string(countryNameAt(side)); }

std::string playerName(const PlayerDatabase& database, std::int32_t id) {
    const Player* player = database.findById(id);
    if (player == nullptr)
        return "?";
    return std::string(1, player->initial()) + " " + player->surname.str();
}

// A net run rate with its sign, as tables print it; JSON numbers take no plus sign.
std::string rateText(double rate, bool plusSign = true) {
    char text[32];
    std::snprintf(text, sizeof text, plusSign ? "%+.3f" : "%.3f", rate);
    return text;
}

std::string stageName(Stage stage) {
    return stage == Stage::Final ? "Final" : stage == Stage::SemiFinal ? "Semi-final" : "Match";
}

// The four leader lists with their names and how each line's figure reads.
struct LeaderList {
    const char* title;
    const char* key;
    const std::vector<LeaderLine>* lines;
    bool spell;
};

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

std::string textReport(const Tournament& tournament, const PlayerDatabase& database,
                       const std::vector<LeaderList>& lists) {
    return "Tournament of the nine countries, seed " + std::to_string(tournament.seed()) + "\n\n" +
           tournamentTableText(tournament) + "\n" + leadersBlock(database, lists);
}

std::vector<LeaderList> leaderLists(const Leaders& leaders) {
    return {
        {"Most runs", "most_runs", &leaders.mostRuns, false},
        {"Most wickets", "most_wickets", &leaders.mostWickets, false},
        {"Highest scores", "highest_scores", &leaders.highestScores, false},
        {"Best bowling", "best_bowling", &leaders.bestBowling, true},
    };
}

std::string csvReport(const Tournament& tournament, const PlayerDatabase& database,
                      const std::vector<LeaderList>& lists) {
    std::string out = "position,side,played,won,lost,tied,points,net_run_rate\n";
    int position = 0;
    for (const TableRow& row : tournament.table())
        out += std::to_string(++position) + "," + csvField(sideName(row.side)) + "," +
               std::to_string(row.played) + "," + std::to_string(row.won) + "," +
               std::to_string(row.lost) + "," + std::to_string(row.tied) + "," +
               std::to_string(row.points) + "," + rateText(row.netRunRate()) + "\n";
    out += "\nstage,seed,first,first_runs,first_wickets,first_balls,second,second_runs,"
           "second_wickets,second_balls,result,through\n";
    for (const MatchResult* result : knockouts(tournament)) {
        out += stageName(result->fixture.stage) + "," + std::to_string(result->seed);
        for (const InningsTally& innings : result->innings)
            out += "," + csvField(sideName(innings.side)) + "," + std::to_string(innings.runs) +
                   "," + std::to_string(innings.wickets) + "," + std::to_string(innings.balls);
        out += "," + csvField(resultText(*result)) + "," +
               csvField(sideName(tournament.knockoutWinner(*result))) + "\n";
    }
    out += "\nchampion\n";
    if (const auto champion = tournament.champion())
        out += csvField(sideName(*champion)) + "\n";
    out += "\nlist,rank,player,side,figure\n";
    for (const LeaderList& list : lists) {
        int rank = 0;
        for (const LeaderLine& line : *list.lines)
            out += std::string(list.key) + "," + std::to_string(++rank) + "," +
                   csvField(playerName(database, line.playerId)) + "," +
                   csvField(sideName(line.side)) + "," + figureText(line, list.spell) + "\n";
    }
    return out;
}

std::string jsonReport(const Tournament& tournament, const PlayerDatabase& database,
                       const std::vector<LeaderList>& lists) {
    std::string out = "{\n  \"seed\": " + std::to_string(tournament.seed()) + ",\n  \"table\": [";
    const char* separator = "\n";
    for (const TableRow& row : tournament.table()) {
        out += separator;
        out += "    {\"side\": " + jsonString(sideName(row.side)) +
               ", \"played\": " + std::to_string(row.played) +
               ", \"won\": " + std::to_string(row.won) + ", \"lost\": " + std::to_string(row.lost) +
               ", \"tied\": " + std::to_string(row.tied) +
               ", \"points\": " + std::to_string(row.points) +
               ", \"net_run_rate\": " + rateText(row.netRunRate(), false) + "}";
        separator = ",\n";
    }
    out += "\n  ],\n  \"knockouts\": [";
    separator = "\n";
    for (const MatchResult* result : knockouts(tournament)) {
        out += separator;
        out += "    {\"stage\": " + jsonString(stageName(result->fixture.stage)) +
               ", \"seed\": " + std::to_string(result->seed) + ", \"innings\": [";
        for (int k = 0; k < 2; ++k) {
            const InningsTally& innings = result->innings[k];
            out += std::string(k == 0 ? "" : ", ") +
                   "{\"side\": " + jsonString(sideName(innings.side)) +
                   ", \"runs\": " + std::to_string(innings.runs) +
                   ", \"wickets\": " + std::to_string(innings.wickets) +
                   ", \"balls\": " + std::to_string(innings.balls) + "}";
        }
        out += "], \"result\": " + jsonString(resultText(*result)) +
               ", \"through\": " + jsonString(sideName(tournament.knockoutWinner(*result))) + "}";
        separator = ",\n";
    }
    out += "\n  ],\n  \"champion\": ";
    const auto champion = tournament.champion();
    out += champion ? jsonString(sideName(*champion)) : std::string("null");
    out += ",\n  \"leaders\": {";
    separator = "\n";
    for (const LeaderList& list : lists) {
        out += separator;
        out += "    " + jsonString(list.key) + ": [";
        const char* inner = "";
        for (const LeaderLine& line : *list.lines) {
            out += inner;
            out += "{\"player\": " + jsonString(playerName(database, line.playerId)) +
                   ", \"side\": " + jsonString(sideName(line.side)) +
                   ", \"figure\": " + jsonString(figureText(line, list.spell)) + "}";
            inner = ", ";
        }
        out += "]";
        separator = ",\n";
    }
    return out + "\n  }\n}\n";
}

} // namespace

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

std::string tournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                             SimFormat format) {
    const Leaders leaders = leadersOf(tournament.results());
    const std::vector<LeaderList> lists = leaderLists(leaders);
    switch (format) {
    case SimFormat::Csv:
        return csvReport(tournament, database, lists);
    case SimFormat::Json:
        return jsonReport(tournament, database, lists);
    case SimFormat::Text:
        break;
    }
    return textReport(tournament, database, lists);
}

SimResult runTournamentSim(const SimOptions& options) {
    SimResult result;
    PlayerDatabase database;
    if (auto problem = loadSimDatabase(database, options.playersPath)) {
        result.exitStatus = kExitFileError;
        if (!problem->empty())
            result.errors = "quorvel-sim: " + *problem + "\n";
        return result;
    }
    // Every country's predefined eleven must be able to play before the first ball.
    for (int side = 0; side < kTournamentSides; ++side) {
        Scores scores;
        if (auto problem = setUpPredefinedSides(scores, database, sideName(side),
                                                sideName((side + 1) % kTournamentSides))) {
            result.exitStatus = kExitBadSetUp;
            result.errors = "quorvel-sim: " + *problem + "\n";
            return result;
        }
    }
    const std::uint32_t seed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    Tournament tournament(seed);
    if (auto problem = playOut(tournament, database)) {
        result.exitStatus = kExitStuck;
        result.errors = "quorvel-sim: " + *problem + "\n";
        return result;
    }
    result.output = tournamentReport(tournament, database, options.format);
    if (!options.seed)
        result.errors = "quorvel-sim: seed " + std::to_string(seed) + " (replay with --seed " +
                        std::to_string(seed) + ")\n";
    return result;
}

} // namespace quorvel

#include "cli/tournament_command.h"

#include "records/player_database.h"
#include "records/scores.h"
#include "screen/headless_match.h"
#include "tournament/tournament_play.h"
#include "tournament/tournament_report.h"

namespace quorvel {

namespace {

std::string sideName(int side) { return std::string(countryNameAt(side)); }

void writeTable(cli::TableWriter& writer, const Tournament& tournament) {
    writer.beginTable(
        "table", {"position", "side", "played", "won", "lost", "tied", "points", "net_run_rate"});
    const bool csv = writer.format() == cli::OutputFormat::Csv;
    int position = 0;
    for (const TableRow& row : tournament.table()) {
        cli::Row line;
        ++position;
        if (csv)
            line.emplace_back("position", position);
        line.emplace_back("side", sideName(row.side));
        line.emplace_back("played", row.played);
        line.emplace_back("won", row.won);
        line.emplace_back("lost", row.lost);
        line.emplace_back("tied", row.tied);
        line.emplace_back("points", row.points);
        // JSON numbers take no plus sign.
        line.emplace_back("net_run_rate",
                          cli::Cell::number(csv ? "%+.3f" : "%.3f", row.netRunRate()));
        writer.row(line);
    }
    writer.endTable();
}

void writeKnockouts(cli::TableWriter& writer, const Tournament& tournament) {
    const bool csv = writer.format() == cli::OutputFormat::Csv;
    writer.beginTable("knockouts", {"stage", "seed", "first", "first_runs", "first_wickets",
                                    "first_balls", "second", "second_runs", "second_wickets",
                                    "second_balls", "result", "through"});
    for (const MatchResult* result : knockouts(tournament)) {
        cli::Row line = {{"stage", stageName(result->fixture.stage)}, {"seed", result->seed}};
        std::vector<cli::Cell> innings;
        for (const InningsTally& one : result->innings) {
            cli::Row tally = {{"side", sideName(one.side)},
                              {"runs", one.runs},
                              {"wickets", one.wickets},
                              {"balls", one.balls}};
            if (csv)
                line.insert(line.end(), tally.begin(), tally.end());
            else
                innings.push_back(cli::Cell::object(std::move(tally)));
        }
        if (!csv)
            line.emplace_back("innings", cli::Cell::list(std::move(innings)));
        line.emplace_back("result", resultText(*result));
        line.emplace_back("through", sideName(tournament.knockoutWinner(*result)));
        writer.row(line);
    }
    writer.endTable();
}

void writeLeaders(cli::TableWriter& writer, const PlayerDatabase& database,
                  const std::vector<LeaderList>& lists) {
    if (writer.format() == cli::OutputFormat::Csv) {
        writer.beginTable("leaders", {"list", "rank", "player", "side", "figure"});
        for (const LeaderList& list : lists) {
            int rank = 0;
            for (const LeaderLine& line : *list.lines)
                writer.row({{"list", list.key},
                            {"rank", ++rank},
                            {"player", playerName(database, line.playerId)},
                            {"side", sideName(line.side)},
                            {"figure", figureText(line, list.spell)}});
        }
        writer.endTable();
        return;
    }
    writer.beginGroup("leaders");
    for (const LeaderList& list : lists) {
        std::vector<cli::Cell> lines;
        for (const LeaderLine& line : *list.lines)
            lines.push_back(cli::Cell::object({{"player", playerName(database, line.playerId)},
                                               {"side", sideName(line.side)},
                                               {"figure", figureText(line, list.spell)}}));
        writer.member(list.key, cli::Cell::list(std::move(lines)));
    }
    writer.endGroup();
}

std::string textReport(const Tournament& tournament, const PlayerDatabase& database) {
    return "Tournament of the nine countries, seed " + std::to_string(tournament.seed()) + "\n\n" +
           tournamentTableText(tournament) + "\n" + tournamentLeadersText(tournament, database);
}

} // namespace

void writeTournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                           cli::OutputFormat format,
                           const std::function<void(std::string_view)>& write) {
    if (format == cli::OutputFormat::Text) {
        write(textReport(tournament, database));
        return;
    }
    const Leaders leaders = leadersOf(tournament.results());
    cli::TableWriter writer(format, write);
    writer.member("seed", tournament.seed());
    writeTable(writer, tournament);
    writeKnockouts(writer, tournament);
    const auto champion = tournament.champion();
    if (format == cli::OutputFormat::Csv) {
        writer.beginTable("champion", {"champion"});
        if (champion)
            writer.row({{"champion", sideName(*champion)}});
        writer.endTable();
    } else {
        writer.member("champion", champion ? cli::Cell(sideName(*champion)) : cli::Cell::null());
    }
    writeLeaders(writer, database, leaderLists(leaders));
    writer.finish();
}

std::string tournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                             cli::OutputFormat format) {
    std::string out;
    writeTournamentReport(tournament, database, format,
                          [&out](std::string_view text) { out += text; });
    return out;
}

SimResult runTournamentSim(const SimOptions& options) {
    PlayerDatabase database;
    if (auto failed = loadSimCommandDatabase(database, options))
        return std::move(*failed);
    SimResult result;
    // Every country's predefined eleven must be able to play before the first ball.
    for (int side = 0; side < kTournamentSides; ++side) {
        Scores scores;
        if (auto problem = setUpPredefinedSides(scores, database, sideName(side),
                                                sideName((side + 1) % kTournamentSides))) {
            result.exitStatus = kExitBadSetUp;
            result.errors = simProblem(*problem);
            return result;
        }
    }
    const std::uint32_t seed = seedOf(options);
    Tournament tournament(seed);
    if (auto problem = playOut(tournament, database)) {
        result.exitStatus = kExitStuck;
        result.errors = simProblem(*problem);
        return result;
    }
    result.output = tournamentReport(tournament, database, options.format);
    if (!options.seed)
        result.errors = simProblem("seed " + std::to_string(seed) + " (replay with --seed " +
                                   std::to_string(seed) + ")");
    return result;
}

} // namespace quorvel

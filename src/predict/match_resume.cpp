#include "predict/match_resume.h"

#include <ctime>

#include "engine/innings_figures.h"
#include "engine/random.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/sheet_replay.h"
#include "screen/computer_choices.h"
#include "screen/headless_match.h"
#include "screen/match_screen.h"
#include "screen/match_session.h"
#include "screen/opened_match.h"

namespace quorvel {

std::optional<MatchPosition> resumePosition(const Scores& record, const PlayerDatabase& database) {
    const int innings = lastInningsPlayed(record);
    if (innings < 0)
        return std::nullopt;
    auto position = positionAfterOver(record, innings, oversBowled(record, innings), database);
    if (!position)
        return std::nullopt;
    const InningsFigures& f = position->figures;
    const bool inningsOver = f.totalWickets >= kWicketsPerInnings ||
                             f.overNumber >= kOversPerInnings ||
                             (innings == 1 && f.totalRuns >= f.target);
    if (innings == 1 && inningsOver)
        return std::nullopt;
    return position;
}

bool continueSavedMatch(MatchScreen& screen, const Scores& record, const PlayerDatabase& database) {
    const auto position = resumePosition(record, database);
    if (!position)
        return false;
    screen.takeUpRecord(record, commentaryOf(record, database));
    const SliderPositions middle;
    screen.resumeBetweenOvers(position->record, position->figures, middle);
    return true;
}

SimResult runResumeSim(const SimOptions& options) {
    PlayerDatabase database;
    if (auto failed = loadSimCommandDatabase(database, options))
        return std::move(*failed);
    SimResult result;
    Scores saved;
    if (auto error = readScoresFile(options.resumePath, saved)) {
        result.exitStatus = 1;
        result.errors = "quorvel-sim: " + error->message() + "\n";
        return result;
    }
    const auto position = resumePosition(saved, database);
    if (!position) {
        result.exitStatus = 2;
        result.errors = "quorvel-sim: " + options.resumePath +
                        " holds no match to play on: nothing was bowled, or the match is over\n";
        return result;
    }
    const std::uint32_t seed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    if (!options.seed)
        result.errors = "quorvel-sim: seed " + std::to_string(seed) + " (replay with --seed " +
                        std::to_string(seed) + ")\n";
    Random random;
    random.seed(seed);
    Scores scores;
    ComputerChoices choices(saved, database, random, seed, options.callHeads, options.electBat);
    MatchScreen screen(scores, database, random, choices);
    choices.attach(screen);
    choices.rebuildUserPlan(position->figures);
    continueSavedMatch(screen, saved, database);
    MatchSession session(screen, choices);
    if (!session.playToEnd()) {
        result.exitStatus = 3;
        result.errors += "quorvel-sim: no bowler could bowl the next over\n";
    }
    ScoreSheet& sheet = screen.scoreSheet();
    sheet.buildSheetText();
    result.output = sheet.sheetText();
    for (int innings = 0; innings < 2; ++innings) {
        // An innings that ended before the match was saved was summed up then, not now.
        std::string line = screen.flow().inningsLine(innings);
        if (line.empty() && innings == 0 && lastInningsPlayed(scores) == 1)
            line = inningsResultLine(finalFigures(scores, sheet, 0, database));
        result.output += line + "\r\n";
    }
    result.log = screen.log().text();
    result.cards = {sheet.card(0), sheet.card(1)};
    if (!options.logPath.empty())
        if (auto error = writeWholeFile(options.logPath, result.log)) {
            result.errors += error->message() + "\n";
            result.exitStatus = 1;
        }
    if (!options.savePath.empty())
        if (auto error = writeScoresFile(options.savePath, scores)) {
            result.errors += error->message() + "\n";
            result.exitStatus = 1;
        }
    return result;
}

} // namespace quorvel

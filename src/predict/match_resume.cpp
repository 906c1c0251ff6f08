#include "predict/match_resume.h"

#include "engine/innings_figures.h"
#include "engine/random.h"
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

PlayedMatch playSavedMatchOn(const Scores& saved, Scores& scores, const PlayerDatabase& database,
                             Random& random, std::uint32_t seed) {
    PlayedMatch played;
    const auto position = resumePosition(saved, database);
    if (!position) {
        played.finished = false;
        return played;
    }
    random.seed(seed);
    ComputerChoices choices(saved, database, random, seed, true, true);
    MatchScreen screen(scores, database, random, choices);
    choices.attach(screen);
    choices.rebuildUserPlan(position->figures);
    continueSavedMatch(screen, saved, database);
    MatchSession session(screen, choices);
    played.finished = session.playToEnd();
    ScoreSheet& sheet = screen.scoreSheet();
    sheet.buildSheetText();
    played.text = sheet.sheetText();
    for (int innings = 0; innings < 2; ++innings) {
        // An innings that ended before the match was saved was summed up then, not now.
        std::string line = screen.flow().inningsLine(innings);
        if (line.empty() && innings == 0 && lastInningsPlayed(scores) == 1)
            line = inningsResultLine(finalFigures(scores, sheet, 0, database));
        played.text += line + "\r\n";
    }
    played.log = screen.log().text();
    played.cards = {sheet.card(0), sheet.card(1)};
    return played;
}

} // namespace quorvel

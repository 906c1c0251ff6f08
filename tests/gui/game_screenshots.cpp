// Pictures of the game for the documentation. Runs only when QUORVEL_SCREENSHOT_DIR names a
// folder (scripts/screenshots.sh game sets it): the main window before a match, during the first
// innings and at the result, the scoresheet and log windows, the charts of a seeded match and the
// table and leaders of a seeded tournament, each cropped from the screen.

#include <cstdlib>
#include <string>

#include <wx/textctrl.h>
#include <wx/utils.h>

#include "engine/random.h"
#include "gui/game_support.h"
#include "records/player_database.h"
#include "records/scores_file.h"
#include "reports/CChartsWindow.h"
#include "reports/CLogDialog.h"
#include "reports/CScoreSheetDialog.h"
#include "screen/headless_match.h"
#include "shell/CTournamentTextDialog.h"
#include "tournament/tournament_play.h"
#include "tournament/tournament_report.h"

namespace quorvel::gui {
namespace {

class GameScreenshots : public GameTest {
protected:
    void SetUp() override {
        const char* dir = std::getenv("QUORVEL_SCREENSHOT_DIR");
        if (dir == nullptr || *dir == '\0')
            GTEST_SKIP() << "QUORVEL_SCREENSHOT_DIR is not set";
        dir_ = dir;
        GameTest::SetUp();
        frame().Move(10, 10);
    }

    void settle() { letDraw(25); }

    void shoot(wxWindow& window, const std::string& name) {
        window.Raise();
        window.Refresh();
        settle();
        const std::string command =
            screenGrabCommand(window.GetScreenRect(), dir_ + "/" + name + ".png");
        EXPECT_EQ(wxExecute(command, wxEXEC_SYNC | wxEXEC_NODISABLE), 0) << command;
    }

    void playOver() {
        if (!enabled(CMatchForm::kBowlOverId))
            for (const auto& row : CMatchForm::kBowlerRowIds)
                if (shown(row[5]) && enabled(row[5])) {
                    press(row[5]);
                    break;
                }
        press(CMatchForm::kBowlOverId);
    }

    std::string dir_;
};

TEST_F(GameScreenshots, MainWindowSheetAndLog) {
    shoot(frame(), "game-before-match");

    AnswerEverything answers;
    command(commands::kFileNewId);
    for (int over = 0; over < 12 && screen().state() == MatchState::FirstInnings; ++over)
        playOver();
    shoot(frame(), "game-first-innings");

    while (screen().flow().inInnings())
        playOver();
    shoot(frame(), "game-result");

    CScoreSheetDialog sheet(&frame(), view().screen().scoreSheet());
    sheet.Move(10, 10);
    sheet.Show();
    shoot(sheet, "game-scoresheet");
    sheet.Hide();

    CLogDialog log(&frame(), screen().log().text());
    log.Move(10, 10);
    log.Show();
    settle();
    log.text()->ShowPosition(log.text()->GetLastPosition());
    shoot(log, "game-log");
    log.Hide();
}

TEST_F(GameScreenshots, ChartsOfASeededMatch) {
    // India against Pakistan with seed 2026, as quorvel-sim --seed 2026 plays it, saved and
    // opened in the game.
    Scores scores;
    ASSERT_FALSE(setUpPredefinedSides(scores, playerDatabase(), "India", "Pakistan"));
    Random random;
    playHeadlessMatch(scores, playerDatabase(), random, 2026, true, true);
    const std::string path = scratch_.file("seeded.quo");
    ASSERT_FALSE(writeScoresFile(path, scores));
    nextFile = path;
    AnswerEverything answers;
    command(commands::kFileOpenId);
    command(commands::kViewChartsId);
    CChartsWindow& charts = *frame().charts().window();
    charts.Move(10, 10);
    // The whole line of chances, worked out off the user-interface thread.
    for (int wait = 0; wait < 6000 && charts.charts().estimating; ++wait)
        letDraw(1);
    shoot(charts, "game-charts");
}

TEST_F(GameScreenshots, TableAndLeadersOfASeededTournament) {
    // The tournament quorvel-sim --tournament --seed 2026 plays.
    Tournament tournament(2026);
    ASSERT_FALSE(playOut(tournament, playerDatabase()));
    CTournamentTextDialog table(&frame(), "Quorvel Tournament Table",
                                tournamentTableText(tournament));
    table.Move(10, 10);
    table.Show();
    shoot(table, "game-tournament-table");
    table.Hide();

    CTournamentTextDialog leaders(&frame(), "Quorvel Tournament Leaders",
                                  tournamentLeadersText(tournament, playerDatabase()));
    leaders.Move(10, 10);
    leaders.Show();
    shoot(leaders, "game-tournament-leaders");
}

} // namespace
} // namespace quorvel::gui

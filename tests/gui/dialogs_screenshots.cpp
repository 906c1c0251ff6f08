// Pictures of the dialogs for the documentation. Runs only when QUORVEL_SCREENSHOT_DIR names a
// folder (scripts/screenshots.sh dialogs sets it); each dialog is shown without a modal run,
// the screen is captured and cropped to the dialog.

#include <cstdlib>
#include <string>

#include <wx/listbox.h>
#include <wx/utils.h>

#include "browser/CPlayerBrowserDialog.h"
#include "browser/CPlayerFilterDialog.h"
#include "gui/gui_support.h"
#include "records/scores.h"
#include "setup/CBatOrBowlDialog.h"
#include "setup/CSelectBatsmanDialog.h"
#include "setup/CSelectTeamsDialog.h"
#include "setup/CTossDialog.h"
#include "setup/batsman_choice.h"
#include "setup/team_selection.h"

namespace quorvel::gui {
namespace {

class DialogScreenshots : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        const char* dir = std::getenv("QUORVEL_SCREENSHOT_DIR");
        if (dir == nullptr || *dir == '\0')
            GTEST_SKIP() << "QUORVEL_SCREENSHOT_DIR is not set";
        dir_ = dir;
    }

    // Shows the dialog, lets it draw, and saves the part of the screen it covers.
    void shoot(wxDialog& dialog, const std::string& name) {
        dialog.Move(20, 20);
        dialog.Show();
        letDraw(20);
        const std::string command =
            screenGrabCommand(dialog.GetScreenRect(), dir_ + "/" + name + ".png");
        EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command;
        dialog.Hide();
    }

    std::string dir_;
};

TEST_F(DialogScreenshots, SelectTeams) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    click(&dialog, CSelectTeamsDialog::kLeftSelectId);
    typeInto(&dialog, CSelectTeamsDialog::kRightNameId, "Australia");
    click(&dialog, CSelectTeamsDialog::kRightSelectId);
    shoot(dialog, "select-teams");
}

TEST_F(DialogScreenshots, TossAndBatOrBowl) {
    CTossDialog toss(nullptr);
    shoot(toss, "toss");
    CBatOrBowlDialog choice("", nullptr);
    shoot(choice, "bat-or-bowl");
    CBatOrBowlDialog told("Computer won the toss and decided to bowl", nullptr);
    shoot(told, "bat-or-bowl-computer");
}

TEST_F(DialogScreenshots, SelectBatsman) {
    Scores scores;
    storeSide(scores.teams[0], "India", predefinedTeam(database(), 4), false, database());
    InningsFigures figures;
    figures.batsmanIds[0] = scores.teams[0].playerAt(0);
    CSelectBatsmanDialog user(nullptr, batsmanCandidates(scores, figures, database()));
    shoot(user, "select-batsman");
    std::string name;
    figures.batsmanIds[0] = -1;
    chooseNextBatsman(scores, figures, database(), name);
    CSelectBatsmanDialog computer(nullptr, toWx(computerSelectionText(name)));
    shoot(computer, "select-batsman-computer");
}

TEST_F(DialogScreenshots, BrowserAndFilter) {
    const auto india = predefinedTeam(database(), 4);
    CPlayerBrowserDialog browser(nullptr, database(), india.at(2));
    shoot(browser, "player-browser");
    CPlayerFilterDialog filter(nullptr, 68);
    shoot(filter, "player-filter");
}

} // namespace
} // namespace quorvel::gui

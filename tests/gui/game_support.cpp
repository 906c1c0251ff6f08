#include "gui/game_support.h"

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "browser/CPlayerBrowserDialog.h"
#include "reports/CLogDialog.h"
#include "reports/CScoreSheetDialog.h"
#include "screen/match_screen.h"
#include "setup/CBatOrBowlDialog.h"
#include "setup/CSelectBatsmanDialog.h"
#include "setup/CSelectTeamsDialog.h"
#include "setup/CTossDialog.h"
#include "shell/CAboutDialog.h"
#include "shell/CTournamentTextDialog.h"

namespace quorvel::gui {

void GameTest::SetUp() {
    DialogTest::SetUp();
    playerDatabase().assign(test::bundledPlayers());
    delete wxConfigBase::Set(new wxFileConfig(settings::kApplication, settings::kVendor,
                                              scratch_.file("settings.ini"), wxString(),
                                              wxCONFIG_USE_LOCAL_FILE));
    answerFileQuestions(
        [this](wxWindow*, const wxString&, const wxString& offered, const wxString&, long) {
            ++fileQuestions;
            offeredFiles.push_back(std::string(offered.ToUTF8()));
            if (!laterFiles.empty()) {
                const std::string first = laterFiles.front();
                laterFiles.erase(laterFiles.begin());
                return wxString::FromUTF8(first);
            }
            return wxString::FromUTF8(nextFile);
        });
    shell_ = startQuorvelShell(wxString());
    ASSERT_TRUE(shell_);
}

void GameTest::TearDown() {
    if (shell_) {
        // A match left unsaved would be asked about even on a forced close.
        if (CQuorvelDoc* match = shell_.manager->document())
            match->Modify(false);
        shell_.frame->Close(true);
        wxTheApp->ProcessIdle();
        stopQuorvelShell(shell_);
    }
    answerFileQuestions({});
    delete wxConfigBase::Set(nullptr);
    DialogTest::TearDown();
}

void GameTest::command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&frame());
    frame().ProcessWindowEvent(event);
}

void GameTest::press(int id) {
    wxWindow* target = form().FindWindow(id);
    ASSERT_NE(target, nullptr) << "no control " << id;
    ASSERT_TRUE(target->IsShown() && target->IsEnabled()) << "control " << id << " is disabled";
    if (auto* row = dynamic_cast<CRowButton*>(target)) {
        row->click();
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(target);
    target->ProcessWindowEvent(event);
}

void GameTest::expectFormShowsFigures() {
    const InningsFigures& f = screen().figures();
    EXPECT_EQ(text(CMatchForm::kBattingNameId), f.battingTeamName);
    EXPECT_EQ(text(CMatchForm::kBowlingNameId), f.bowlingTeamName);
    EXPECT_EQ(text(CMatchForm::kRunsId), std::to_string(f.totalRuns));
    EXPECT_EQ(text(CMatchForm::kWicketsId), std::to_string(f.totalWickets));
    EXPECT_EQ(text(CMatchForm::kOversId), formatFormDouble(f.oversFigure).ToStdString());
    EXPECT_EQ(text(CMatchForm::kRunRateId), formatFormDouble(f.runRate).ToStdString());
    for (int slot = 0; slot < 2; ++slot) {
        EXPECT_EQ(text(CMatchForm::kBatsmanNameIds[slot]), f.batsmanNames[slot]);
        EXPECT_EQ(text(CMatchForm::kBatsmanRunsIds[slot]), std::to_string(f.batsmanRuns[slot]));
        EXPECT_EQ(text(CMatchForm::kBatsmanBallsIds[slot]), std::to_string(f.batsmanBalls[slot]));
    }
    for (int row = 0; row < kBowlerRows; ++row) {
        const auto& ids = CMatchForm::kBowlerRowIds[row];
        EXPECT_EQ(text(ids[0]), f.bowlerNames[row]);
        EXPECT_EQ(text(ids[1]), formatFormDouble(f.bowlerOvers[row]).ToStdString());
        EXPECT_EQ(text(ids[3]), std::to_string(f.bowlerRuns[row]));
        EXPECT_EQ(text(ids[4]), std::to_string(f.bowlerWickets[row]));
    }
    const BowlerButtons& buttons = screen().bowlerButtons();
    for (int row = 0; row < kBowlerRows; ++row) {
        const int id = CMatchForm::kBowlerRowIds[row][5];
        EXPECT_EQ(shown(id), buttons.shown[row]) << "row " << row;
        if (buttons.shown[row]) {
            EXPECT_EQ(enabled(id), buttons.enabled[row]) << "row " << row;
        }
    }
    EXPECT_EQ(enabled(CMatchForm::kBowlOverId), buttons.bowlOverEnabled);
    EXPECT_EQ(shown(CMatchForm::kChasingId), screen().chaseControlsShown());
}

int twoElevens(CSelectTeamsDialog& dialog) {
    click(&dialog, CSelectTeamsDialog::kLeftSelectId);
    click(&dialog, CSelectTeamsDialog::kRightSelectId);
    click(&dialog, wxID_OK);
    return wxID_OK;
}

int pickFirst(CSelectBatsmanDialog& dialog) {
    if (dialog.isUserChoice()) {
        selectRows(control<wxListBox>(&dialog, CSelectBatsmanDialog::kCandidateListId), {0});
        click(&dialog, wxID_OK);
    }
    return wxID_OK;
}

std::string dialogKind(wxDialog& dialog) {
    if (dynamic_cast<CSelectTeamsDialog*>(&dialog))
        return "CSelectTeamsDialog";
    if (dynamic_cast<CTossDialog*>(&dialog))
        return "CTossDialog";
    if (dynamic_cast<CBatOrBowlDialog*>(&dialog))
        return "CBatOrBowlDialog";
    if (dynamic_cast<CSelectBatsmanDialog*>(&dialog))
        return "CSelectBatsmanDialog";
    if (dynamic_cast<CScoreSheetDialog*>(&dialog))
        return "CScoreSheetDialog";
    // The tournament's texts are laid out as the log is: the more derived class first.
    if (dynamic_cast<CTournamentTextDialog*>(&dialog))
        return "CTournamentTextDialog";
    if (dynamic_cast<CLogDialog*>(&dialog))
        return "CLogDialog";
    if (dynamic_cast<CPlayerBrowserDialog*>(&dialog))
        return "CPlayerBrowserDialog";
    if (dynamic_cast<CAboutDialog*>(&dialog))
        return "CAboutDialog";
    if (dynamic_cast<wxMessageDialog*>(&dialog))
        return "wxMessageDialog";
    if (dynamic_cast<wxFileDialog*>(&dialog))
        return "wxFileDialog";
    return std::string(wxString(dialog.GetClassInfo()->GetClassName()).ToUTF8());
}

int AnswerEverything::Enter(wxDialog* dialog) {
    const std::string kind = dialogKind(*dialog);
    ++counts[kind];
    if (auto driver = drivers_.find(kind); driver != drivers_.end())
        return driver->second(*dialog);
    if (kind == "CSelectTeamsDialog")
        return twoElevens(static_cast<CSelectTeamsDialog&>(*dialog));
    if (kind == "CSelectBatsmanDialog")
        return pickFirst(static_cast<CSelectBatsmanDialog&>(*dialog));
    if (kind == "wxMessageDialog") {
        const wxString text = static_cast<wxMessageDialog*>(dialog)->GetMessage();
        if (text.StartsWith("Do you want to save changes to ")) {
            ++saveQuestions;
            return saveAnswer;
        }
        if (text.Contains(" already exists.\nDo you want to replace it?")) {
            ++overwriteQuestions;
            return overwriteAnswer;
        }
        messages.push_back(std::string(text.ToUTF8()));
        return wxID_OK;
    }
    return kind == "wxFileDialog" ? wxID_CANCEL : wxID_OK;
}

} // namespace quorvel::gui

// The game driven by real key presses (wxUIActionSimulator): Enter and Escape in the dialogs, the
// accelerators right after start-up and after dialogs, two overs with the keyboard alone, and a
// cancelled File > New that loses nothing. Focus needs a window manager, or the tests skip.

#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "browser/CPlayerBrowserDialog.h"
#include "gui/game_support.h"
#include "records/scores.h"
#include "setup/CBatOrBowlDialog.h"
#include "setup/CSelectTeamsDialog.h"
#include "shell/CTournamentTextDialog.h"

namespace quorvel::gui {
namespace {

// Lets the toolkit handle what happened, until `done` holds (at most `rounds` times 10 ms).
bool settle(
    int rounds = 6, const std::function<bool()>& done = [] { return false; }) {
    for (int i = 0; i < rounds && !done(); ++i) {
        wxYield();
        wxMilliSleep(10);
    }
    return done();
}

// Whether a window manager runs on the display (it announces itself on the root window).
bool windowManagerRuns() {
    static const bool runs = [] {
        wxArrayString output, errors;
        wxExecute("xprop -root _NET_SUPPORTING_WM_CHECK", output, errors,
                  wxEXEC_SYNC | wxEXEC_NODISABLE);
        return !output.empty() && output[0].Contains("window id");
    }();
    return runs;
}

bool waitActive(wxTopLevelWindow& window) {
    window.Raise();
    return settle(300, [&window] { return window.IsActive(); });
}

// A driver that lets the dialog run for real and, once it is active, presses keys in it; a
// dialog the keys left open is closed as a failure, so that no test hangs.
std::function<int(wxDialog&)> really(std::function<void(wxDialog&)> keys) {
    return [keys](wxDialog& dialog) {
        dialog.CallAfter([&dialog, keys] {
            if (waitActive(dialog))
                keys(dialog);
            if (dialog.IsModal()) {
                ADD_FAILURE() << "the keys left the dialog open";
                dialog.EndModal(wxID_ABORT);
            }
        });
        return static_cast<int>(wxID_NONE);
    };
}

class GameKeyboard : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        if (!windowManagerRuns() || !waitActive(frame()))
            GTEST_SKIP() << "no window manager: keyboard focus cannot be tested";
    }
    void key(int code, int modifiers = wxMOD_NONE) {
        keys.Char(code, modifiers);
        settle();
    }
    // Every text of the form, and whether each control is shown and enabled.
    std::vector<wxString> screenShown() {
        std::vector<wxString> shown;
        for (wxWindow* child : form().GetChildren())
            shown.push_back(child->GetLabel() << child->IsShown() << child->IsEnabled());
        return shown;
    }
    wxUIActionSimulator keys;
    AnswerEverything answers;
};

TEST_F(GameKeyboard, EnterPressesTheFocusedButtonAndAcceleratorsWorkAtOnce) {
    key('o', wxMOD_CONTROL); // right after start-up, without a click
    EXPECT_EQ(fileQuestions, 1);

    answers.answer("CSelectTeamsDialog", really([this](wxDialog& d) {
                       click(&d, CSelectTeamsDialog::kLeftSelectId);
                       click(&d, CSelectTeamsDialog::kRightSelectId);
                       d.FindWindow(CSelectTeamsDialog::kLeftHintsId)->SetFocus();
                       key(WXK_RETURN); // the hint, and the dialog stays
                       EXPECT_EQ(answers.messages.size(), 1u);
                       EXPECT_TRUE(d.IsModal());
                       auto* list = control<wxListBox>(&d, CSelectTeamsDialog::kPlayerListId);
                       list->SetFocus();
                       const wxString last = list->GetString(list->GetCount() - 1).Lower();
                       key(last[0]); // typed letters select the first entry that starts with them
                       key(last[1]);
                       wxArrayInt selected;
                       ASSERT_EQ(list->GetSelections(selected), 1) << last;
                       EXPECT_TRUE(list->GetString(selected[0]).Lower().StartsWith(last.Left(2)));
                       key(WXK_RETURN); // OK, once, and no browser
                   }));
    key('n', wxMOD_CONTROL);
    EXPECT_EQ(answers.counts["CPlayerBrowserDialog"], 0);
    EXPECT_EQ(answers.counts["CTossDialog"], 1);
    EXPECT_EQ(screen().state(), MatchState::FirstInnings);

    answers.answer("CPlayerBrowserDialog", really([this](wxDialog& d) {
                       auto* list = control<wxListBox>(&d, PlayerBrowser::kPlayerListId);
                       selectRows(list, {3});
                       list->SetFocus();
                       key(WXK_RETURN);
                   }));
    command(CMainFrame::kViewPlayersId);
    EXPECT_EQ(answers.counts["CPlayerBrowserDialog"], 1);
    key('s', wxMOD_CONTROL); // the form holds the focus again after the dialog
    EXPECT_EQ(fileQuestions, 2);

    // The tournament's table and leaders: the text grows with the resized window; Enter closes
    // the one, Escape the other.
    command(CMainFrame::kTournamentNewId);
    for (const int pressed : {WXK_RETURN, WXK_ESCAPE}) {
        answers.answer("CTournamentTextDialog", really([this, pressed](wxDialog& d) {
                           wxWindow* text = static_cast<CTournamentTextDialog&>(d).text();
                           const wxSize grown = text->GetSize() + wxSize(120, 80);
                           d.SetSize(d.GetSize() + wxSize(120, 80));
                           EXPECT_TRUE(settle(100, [&] { return text->GetSize() == grown; }));
                           key(pressed); // the focus is in the text
                           settle(50, [&d] { return !d.IsModal(); });
                       }));
        command(pressed == WXK_RETURN ? CMainFrame::kTournamentTableId
                                      : CMainFrame::kTournamentLeadersId);
    }
    EXPECT_EQ(answers.counts["CTournamentTextDialog"], 2);
}

TEST_F(GameKeyboard, TwoOversWithTheKeyboardAlone) {
    answers.answer("CBatOrBowlDialog", [](wxDialog& d) {
        if (d.FindWindow(CBatOrBowlDialog::kBowlFirstId)->IsEnabled())
            click(&d, CBatOrBowlDialog::kBowlFirstId);
        return static_cast<int>(wxID_OK);
    });
    const auto computerBats = [this] {
        return doc().scores.teams[doc().scores.battingSide(0)].isComputerControlled();
    };
    for (int tries = 0; tries < 12 && !computerBats(); ++tries)
        key('n', wxMOD_CONTROL); // until the user fields (the computer may win the toss)
    ASSERT_TRUE(computerBats());
    // The ">" buttons come last in the Tab order, "Bowl Over" among the first.
    const auto tabTo = [this](const std::function<bool(wxWindow*)>& wanted, int modifiers) {
        for (int i = 0; i < 40 && !wanted(wxWindow::FindFocus()); ++i)
            key(WXK_TAB, modifiers);
        return wanted(wxWindow::FindFocus());
    };
    for (int over = 0; over < 2; ++over) {
        ASSERT_TRUE(tabTo(
            [](wxWindow* w) {
                auto* row = dynamic_cast<CRowButton*>(w);
                return row != nullptr && row->IsEnabled() && !row->checked();
            },
            wxMOD_SHIFT));
        auto* row = static_cast<CRowButton*>(wxWindow::FindFocus());
        key(WXK_SPACE);
        EXPECT_TRUE(row->checked());
        ASSERT_TRUE(
            tabTo([this](wxWindow* w) { return w == form().FindWindow(CMatchForm::kBowlOverId); },
                  wxMOD_NONE));
        key(WXK_RETURN);
        EXPECT_EQ(screen().figures().overNumber, over + 1);
    }
}

TEST_F(GameKeyboard, EscapeInANewMatchLeavesTheSavedMatchAndTheScreenAsTheyWere) {
    key('n', wxMOD_CONTROL);
    for (int row = 0; row < kBowlerRows && !enabled(CMatchForm::kBowlOverId); ++row)
        if (enabled(CMatchForm::kBowlerRowIds[row][5]))
            press(CMatchForm::kBowlerRowIds[row][5]);
    press(CMatchForm::kBowlOverId);
    const std::string path = scratch_.file("kept.quo");
    nextFile = path;
    command(CMainFrame::kFileSaveId);
    command(CMainFrame::kFileOpenId);
    const std::string saved = test::readBytes(path);
    const std::vector<wxString> before = screenShown();
    const wxString title = frame().GetTitle();

    answers.answer("CSelectTeamsDialog", really([this](wxDialog&) { key(WXK_ESCAPE); }));
    key('n', wxMOD_CONTROL);
    EXPECT_EQ(answers.counts["CSelectTeamsDialog"], 2);
    key('s', wxMOD_CONTROL);
    EXPECT_TRUE(test::readBytes(path) == saved);
    EXPECT_EQ(screenShown(), before);
    EXPECT_EQ(frame().GetTitle(), title);
}

// A played match is asked about before Ctrl+Q, the window's close (Alt+F4 through the window
// manager) and Ctrl+N drop it: Cancel keeps the file, the screen and the title; Don't Save and
// Save go on, Save through the normal save (its dialog for an untitled match).
TEST_F(GameKeyboard, APlayedMatchIsAskedAboutBeforeCtrlQTheCloseAndCtrlN) {
    const auto bowlOneOver = [this] {
        for (int row = 0; row < kBowlerRows && !enabled(CMatchForm::kBowlOverId); ++row)
            if (enabled(CMatchForm::kBowlerRowIds[row][5]))
                press(CMatchForm::kBowlerRowIds[row][5]);
        press(CMatchForm::kBowlOverId);
    };
    key('n', wxMOD_CONTROL);
    EXPECT_FALSE(frame().GetTitle().StartsWith("*")) << "nobody has bowled";
    bowlOneOver();
    EXPECT_TRUE(frame().GetTitle().StartsWith("*")) << frame().GetTitle();
    const std::string path = scratch_.file("kept.quo");
    nextFile = path;
    key('s', wxMOD_CONTROL);
    EXPECT_EQ(frame().GetTitle(), "kept.quo - Quorvel");
    bowlOneOver();
    EXPECT_EQ(frame().GetTitle(), "*kept.quo - Quorvel");
    const std::string saved = test::readBytes(path);
    const std::vector<wxString> before = screenShown();

    answers.saveAnswer = wxID_CANCEL;
    key('q', wxMOD_CONTROL);
    EXPECT_EQ(answers.saveQuestions, 1);
    key(WXK_F4, wxMOD_ALT);
    EXPECT_EQ(answers.saveQuestions, 2);
    key('n', wxMOD_CONTROL);
    EXPECT_EQ(answers.saveQuestions, 3);
    ASSERT_TRUE(frame().IsShown());
    EXPECT_TRUE(test::readBytes(path) == saved);
    EXPECT_EQ(screenShown(), before);
    EXPECT_EQ(frame().GetTitle(), "*kept.quo - Quorvel");

    answers.saveAnswer = wxID_NO;
    key('n', wxMOD_CONTROL);
    EXPECT_EQ(answers.saveQuestions, 4);
    EXPECT_TRUE(test::readBytes(path) == saved);
    EXPECT_EQ(screen().figures().overNumber, 0);
    EXPECT_FALSE(frame().GetTitle().StartsWith("*"));

    bowlOneOver();
    const Scores played = doc().scores;
    answers.saveAnswer = wxID_YES;
    nextFile = scratch_.file("second");
    key('n', wxMOD_CONTROL);
    EXPECT_EQ(answers.saveQuestions, 5);
    EXPECT_EQ(offeredFiles.back(), played.title());
    EXPECT_TRUE(test::readBytes(scratch_.file("second.quo")) == encodeScores(played));
    EXPECT_EQ(screen().figures().overNumber, 0);
}

} // namespace
} // namespace quorvel::gui

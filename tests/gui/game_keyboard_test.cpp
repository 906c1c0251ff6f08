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
#include "setup/CSelectBatsmanDialog.h"
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
        for (wxWindow* child : form().page()->GetChildren())
            shown.push_back(child->GetLabel() << child->IsShown() << child->IsEnabled());
        return shown;
    }
    // Presses Tab (with `modifiers`) until the focus is on a window `wanted` accepts.
    bool tabTo(const std::function<bool(wxWindow*)>& wanted, int modifiers = wxMOD_NONE) {
        for (int i = 0; i < 40 && !wanted(wxWindow::FindFocus()); ++i)
            key(WXK_TAB, modifiers);
        return wanted(wxWindow::FindFocus());
    }
    bool computerBatsFirst() {
        return doc().scores.teams[doc().scores.battingSide(0)].isComputerControlled();
    }
    // New matches until the side that bats first is (or is not) the computer's.
    bool newMatchWithComputerBatting(bool batting) {
        answers.answer("CBatOrBowlDialog", [batting](wxDialog& d) {
            // The user bats unless he presses "Bowl".
            if (batting && d.FindWindow(CBatOrBowlDialog::kBowlFirstId)->IsEnabled())
                click(&d, CBatOrBowlDialog::kBowlFirstId);
            return static_cast<int>(wxID_OK);
        });
        for (int tries = 0; tries < 12; ++tries) {
            key('n', wxMOD_CONTROL);
            if (computerBatsFirst() == batting)
                return true;
        }
        return false;
    }
    static bool isEnabledRowButton(wxWindow* w) {
        auto* row = dynamic_cast<CRowButton*>(w);
        return row != nullptr && row->IsEnabled() && row->IsShown();
    }
    // One over by hand with the keys: a ">" when no bowler is chosen, then "Bowl Over".
    void overByHand() {
        if (!enabled(CMatchForm::kBowlOverId)) {
            ASSERT_TRUE(tabTo(isEnabledRowButton));
            key(WXK_SPACE);
        }
        ASSERT_TRUE(
            tabTo([this](wxWindow* w) { return w == form().FindWindow(CMatchForm::kBowlOverId); }));
        key(WXK_RETURN);
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
    command(commands::kViewPlayersId);
    EXPECT_EQ(answers.counts["CPlayerBrowserDialog"], 1);
    key('s', wxMOD_CONTROL); // the form holds the focus again after the dialog
    EXPECT_EQ(fileQuestions, 2);

    // The tournament's table and leaders: the text grows with the resized window; Enter closes
    // the one, Escape the other. The captained country is picked by typing its name.
    answers.answer("wxSingleChoiceDialog", really([this](wxDialog&) {
                       key('s');
                       key('r');
                       key(WXK_RETURN);
                   }));
    command(commands::kTournamentNewId);
    ASSERT_TRUE(frame().tournament());
    EXPECT_EQ(countryNameAt(frame().tournament()->userSide()), "Sri Lanka");
    for (const int pressed : {WXK_RETURN, WXK_ESCAPE}) {
        answers.answer("CTournamentTextDialog", really([this, pressed](wxDialog& d) {
                           wxWindow* text = static_cast<CTournamentTextDialog&>(d).text();
                           const wxSize grown = text->GetSize() + wxSize(120, 80);
                           d.SetSize(d.GetSize() + wxSize(120, 80));
                           EXPECT_TRUE(settle(100, [&] { return text->GetSize() == grown; }));
                           key(pressed); // the focus is in the text
                           settle(50, [&d] { return !d.IsModal(); });
                       }));
        command(pressed == WXK_RETURN ? commands::kTournamentTableId
                                      : commands::kTournamentLeadersId);
    }
    EXPECT_EQ(answers.counts["CTournamentTextDialog"], 2);
}

// Two overs with the keys alone while the user fields. Both need a new bowler: the focus waits
// on an enabled ">" each time (never on the disabled "Bowl Over").
TEST_F(GameKeyboard, TwoOversWithTheKeyboardAlone) {
    ASSERT_TRUE(newMatchWithComputerBatting(true));
    for (int over = 0; over < 2; ++over) {
        EXPECT_FALSE(enabled(CMatchForm::kBowlOverId));
        EXPECT_TRUE(isEnabledRowButton(wxWindow::FindFocus())) << over;
        // The ">" buttons come last in the Tab order, "Bowl Over" among the first.
        ASSERT_TRUE(tabTo(
            [](wxWindow* w) {
                return isEnabledRowButton(w) && !static_cast<CRowButton*>(w)->checked();
            },
            wxMOD_SHIFT));
        auto* row = static_cast<CRowButton*>(wxWindow::FindFocus());
        key(WXK_SPACE);
        EXPECT_TRUE(row->checked());
        ASSERT_TRUE(
            tabTo([this](wxWindow* w) { return w == form().FindWindow(CMatchForm::kBowlOverId); }));
        key(WXK_RETURN);
        EXPECT_EQ(screen().figures().overNumber, over + 1);
    }
}

// The user bats first: the first Down in Select Batsman picks the first name; the computer's
// ">" take no Tab stop; the innings is played out with Enter on "Bowl Over", which keeps the
// focus, and after the innings' summary the focus waits on a ">" of the user, who fields now.
TEST_F(GameKeyboard, TheFocusLandsWherePlayGoesOn) {
    answers.answer("CSelectBatsmanDialog", really([this](wxDialog& d) {
                       auto& dialog = static_cast<CSelectBatsmanDialog&>(d);
                       if (dialog.isUserChoice()) {
                           auto* list =
                               control<wxListBox>(&d, CSelectBatsmanDialog::kCandidateListId);
                           EXPECT_EQ(wxWindow::FindFocus(), list);
                           EXPECT_EQ(list->GetSelection(), wxNOT_FOUND);
                           key(WXK_DOWN);
                           EXPECT_EQ(list->GetSelection(), 0);
                       }
                       key(WXK_RETURN);
                   }));
    ASSERT_TRUE(newMatchWithComputerBatting(false));
    wxWindow* bowlOver = form().FindWindow(CMatchForm::kBowlOverId);
    EXPECT_EQ(wxWindow::FindFocus(), bowlOver);
    for (int i = 0; i < 40; ++i) {
        key(WXK_TAB);
        EXPECT_FALSE(dynamic_cast<CRowButton*>(wxWindow::FindFocus())) << i;
    }
    ASSERT_TRUE(tabTo([bowlOver](wxWindow* w) { return w == bowlOver; }));
    for (int over = 0; over < kOversPerInnings && screen().state() == MatchState::FirstInnings;
         ++over) {
        ASSERT_EQ(wxWindow::FindFocus(), bowlOver) << over;
        key(WXK_RETURN);
    }
    ASSERT_EQ(screen().state(), MatchState::SecondInnings);
    EXPECT_NE(answers.messages.back().find(" scored "), std::string::npos);
    // The user fields now and no bowler is chosen for the first over.
    EXPECT_TRUE(isEnabledRowButton(wxWindow::FindFocus()));
}

// A match played on by the computer after one over by hand, stopped once with Escape (the
// over in hand ends, no other follows), taken over by hand, and played to its end.
TEST_F(GameKeyboard, TheComputerPlaysOnUntilEscapeAndToTheEnd) {
    ASSERT_TRUE(newMatchWithComputerBatting(true));
    overByHand();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(screen().figures().overNumber, 1);
    view().setPlayOnPace(40);

    key('3', wxMOD_CONTROL);
    EXPECT_TRUE(view().playingOn());
    EXPECT_TRUE(shown(CMatchForm::kStopId));
    ASSERT_TRUE(settle(500, [this] { return screen().figures().overNumber >= 4; }));
    key(WXK_ESCAPE);
    EXPECT_FALSE(view().playingOn());
    EXPECT_FALSE(shown(CMatchForm::kStopId));
    const int stoppedAt = screen().figures().overNumber;
    settle(30);
    EXPECT_EQ(screen().figures().overNumber, stoppedAt);
    EXPECT_EQ(screen().state(), MatchState::FirstInnings);
    EXPECT_TRUE(wxWindow::FindFocus() != nullptr && wxWindow::FindFocus()->IsEnabled());
    // A dialog of the user's own stops it too; no over is played behind it.
    view().setPlayOnPace(2000);
    key('3', wxMOD_CONTROL);
    EXPECT_TRUE(view().playingOn());
    command(commands::kViewPlayersId);
    EXPECT_FALSE(view().playingOn());
    const int takenAt = screen().figures().overNumber;
    EXPECT_LE(takenAt, stoppedAt + 1);
    view().setPlayOnPace(40);

    overByHand(); // taken over by hand
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(screen().figures().overNumber, takenAt + 1);

    const std::size_t shownBefore = answers.messages.size();
    key('3', wxMOD_CONTROL);
    ASSERT_TRUE(settle(3000, [this] { return screen().state() == MatchState::MatchOver; }));
    EXPECT_FALSE(view().playingOn());
    // Only the two innings' lines were boxes; the dismissals went to the status bar.
    ASSERT_EQ(answers.messages.size(), shownBefore + 2);
    EXPECT_NE(answers.messages.back().find(" scored "), std::string::npos);
    EXPECT_TRUE(enabled(CMatchForm::kScoresheetId));
}

// Select Teams puts back the elevens accepted last time with Alt+L.
TEST_F(GameKeyboard, SelectTeamsRestoresTheLastElevens) {
    key('n', wxMOD_CONTROL);
    const Scores first = doc().scores;
    answers.answer(
        "CSelectTeamsDialog", really([this](wxDialog& d) {
            auto* left = control<wxListBox>(&d, CSelectTeamsDialog::kLeftListId);
            EXPECT_EQ(left->GetCount(), 0u);
            EXPECT_TRUE(d.FindWindow(CSelectTeamsDialog::kLastTeamsId)->IsEnabled());
            key('l', wxMOD_ALT);
            settle(100, [left] { return left->GetCount() == 11; });
            EXPECT_EQ(left->GetCount(), 11u);
            EXPECT_EQ(control<wxListBox>(&d, CSelectTeamsDialog::kRightListId)->GetCount(), 11u);
            d.FindWindow(wxID_OK)->SetFocus();
            key(WXK_RETURN);
        }));
    key('n', wxMOD_CONTROL);
    EXPECT_EQ(answers.counts["CSelectTeamsDialog"], 2);
    EXPECT_EQ(doc().scores.teams, first.teams);
}

TEST_F(GameKeyboard, EscapeInANewMatchLeavesTheSavedMatchAndTheScreenAsTheyWere) {
    key('n', wxMOD_CONTROL);
    for (int row = 0; row < kBowlerRows && !enabled(CMatchForm::kBowlOverId); ++row)
        if (enabled(CMatchForm::kBowlerRowIds[row][5]))
            press(CMatchForm::kBowlerRowIds[row][5]);
    press(CMatchForm::kBowlOverId);
    const std::string path = scratch_.file("kept.quo");
    nextFile = path;
    command(commands::kFileSaveId);
    command(commands::kFileOpenId);
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

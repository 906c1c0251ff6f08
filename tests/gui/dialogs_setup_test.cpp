// The match set-up dialogs, opened for real and driven through their controls: Select Batsman,
// Toss, Bat or Bowl and Select Teams.

#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "browser/CPlayerBrowserDialog.h"
#include "browser/CPlayerFilterDialog.h"
#include "engine/random.h"
#include "gui/gui_support.h"
#include "records/scores.h"
#include "setup/CBatOrBowlDialog.h"
#include "setup/CSelectBatsmanDialog.h"
#include "setup/CSelectTeamsDialog.h"
#include "setup/CTossDialog.h"
#include "setup/batsman_choice.h"
#include "setup/team_hints.h"
#include "setup/toss.h"

namespace quorvel::gui {
namespace {

using SelectBatsman = DialogTest;
using Toss = DialogTest;
using SelectTeams = DialogTest;

wxListBox* candidateList(wxWindow* dialog) {
    return control<wxListBox>(dialog, CSelectBatsmanDialog::kCandidateListId);
}

wxButton* okButton(wxWindow* dialog) { return control<wxButton>(dialog, wxID_OK); }

// ---- Select Batsman -------------------------------------------------------------------------

TEST_F(SelectBatsman, UserPicksFromAnAlphabeticalListAndGetsTheIndexOfHisChoice) {
    const std::vector<std::string> candidates{"Zeta, Arun", "alpha, Ben", "Mehta, Kiran"};
    CSelectBatsmanDialog dialog(nullptr, candidates);
    EXPECT_EQ(dialog.GetTitle(), "Select Batsman");

    int result = 0;
    wxTEST_DIALOG(
        result = dialog.ShowModal(), Drive<CSelectBatsmanDialog>([](CSelectBatsmanDialog& d) {
            wxListBox* list = candidateList(&d);
            EXPECT_TRUE(list->IsShown());
            EXPECT_FALSE(control<wxTextCtrl>(&d, 1118)->IsShown());
            EXPECT_EQ(rowsOf(list),
                      (std::vector<std::string>{"alpha, Ben", "Mehta, Kiran", "Zeta, Arun"}));
            EXPECT_FALSE(okButton(&d)->IsEnabled());
            selectRows(list, {2});
            EXPECT_TRUE(okButton(&d)->IsEnabled());
            selectRows(list, {});
            EXPECT_FALSE(okButton(&d)->IsEnabled());
            selectRows(list, {0});
            click(&d, wxID_OK);
            return d.GetReturnCode();
        }));
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dialog.chosenIndex(), 1);
    EXPECT_EQ(dialog.chosenName(), "alpha, Ben");
}

TEST_F(SelectBatsman, UserSideCannotBeClosedWithoutAChoiceInARealModalRun) {
    CSelectBatsmanDialog dialog(nullptr, std::vector<std::string>{"Rao, Dev", "Khan, Imran"});
    bool openAfterEscape = false;
    bool openAfterCloseBox = false;
    bool openAfterEnter = false;
    dialog.CallAfter([&] {
        pressKey(&dialog, WXK_ESCAPE);
        openAfterEscape = dialog.IsModal();
        dialog.Close();
        openAfterCloseBox = dialog.IsModal();
        pressKey(&dialog, WXK_RETURN); // OK is still disabled
        openAfterEnter = dialog.IsModal();
        selectRows(candidateList(&dialog), {0});
        pressKey(&dialog, WXK_RETURN);
        if (dialog.IsModal()) // never leave the test hanging
            dialog.EndModal(wxID_ABORT);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(openAfterCloseBox);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(dialog.chosenName(), "Khan, Imran");
    EXPECT_EQ(dialog.chosenIndex(), 1);
}

TEST_F(SelectBatsman, ComputerSideShowsTheAnnouncementWithOkEnabled) {
    CSelectBatsmanDialog dialog(nullptr, toWx(computerSelectionText("Rao, Dev")));
    int result = 0;
    wxTEST_DIALOG(result = dialog.ShowModal(),
                  Drive<CSelectBatsmanDialog>([](CSelectBatsmanDialog& d) {
                      EXPECT_FALSE(candidateList(&d)->IsShown());
                      EXPECT_TRUE(control<wxTextCtrl>(&d, 1118)->IsShown());
                      EXPECT_EQ(textOf(&d, 1118), "The computer has selected Rao, Dev");
                      EXPECT_TRUE(okButton(&d)->IsEnabled());
                      click(&d, wxID_OK);
                      return d.GetReturnCode();
                  }));
    EXPECT_EQ(result, wxID_OK);
    EXPECT_FALSE(dialog.isUserChoice());
    EXPECT_EQ(dialog.chosenIndex(), -1);

    // The announcement may be dismissed with Escape too: the computer's pick stands anyway.
    CSelectBatsmanDialog again(nullptr, toWx(computerSelectionText("Rao, Dev")));
    again.Show();
    pressKey(&again, WXK_ESCAPE);
    EXPECT_FALSE(again.IsShown());
}

TEST_F(SelectBatsman, AnEmptyListIsNeverAcceptedAsAChoice) {
    CSelectBatsmanDialog dialog(nullptr, std::vector<std::string>{});
    int result = 0;
    wxTEST_DIALOG(result = dialog.ShowModal(),
                  Drive<CSelectBatsmanDialog>([](CSelectBatsmanDialog& d) {
                      EXPECT_FALSE(candidateList(&d)->IsShown());
                      EXPECT_EQ(textOf(&d, 1118), "No batsman is left to come in.");
                      click(&d, wxID_OK);
                      return d.GetReturnCode();
                  }));
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(dialog.chosenIndex(), -1);
    EXPECT_EQ(dialog.chosenName(), "");
}

TEST_F(SelectBatsman, OffersTheBattingSidesPlayersStillToCome) {
    Scores scores;
    const auto india = predefinedTeam(database(), 4);
    storeSide(scores.teams[0], "India", india, false, database());
    InningsFigures figures;
    figures.batsmanIds[0] = scores.teams[0].playerAt(0);
    figures.batsmanIds[1] = scores.teams[0].playerAt(1);
    CSelectBatsmanDialog dialog(nullptr, batsmanCandidates(scores, figures, database()));
    const auto rows = rowsOf(candidateList(&dialog));
    EXPECT_EQ(rows.size(), 9u);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return ListBoxModel::sortsBefore(a, b);
    }));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), india[0]), 0);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), india[2]), 1);
}

// ---- Toss and Bat or Bowl -------------------------------------------------------------------

// A seed whose first draw shows the face.
std::uint32_t seedShowing(int face) {
    for (std::uint32_t seed = 1;; ++seed) {
        Random random;
        random.seed(seed);
        if (random.draw() % 2 == face)
            return seed;
    }
}

TEST_F(Toss, TheCallStartsAtHeadsAndEitherButtonFlipsIt) {
    CTossDialog dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Toss");
    auto* heads = control<wxToggleButton>(&dialog, CTossDialog::kHeadsId);
    auto* tails = control<wxToggleButton>(&dialog, CTossDialog::kTailsId);
    EXPECT_EQ(heads->GetLabel(), "Heads");
    EXPECT_EQ(tails->GetLabel(), "Tails");
    EXPECT_TRUE(heads->GetValue());
    EXPECT_FALSE(tails->GetValue());

    click(&dialog, CTossDialog::kHeadsId); // pressing the pressed face calls the other one
    EXPECT_FALSE(heads->GetValue());
    EXPECT_TRUE(tails->GetValue());
    EXPECT_FALSE(dialog.callsHeads());
    click(&dialog, CTossDialog::kHeadsId);
    EXPECT_TRUE(heads->GetValue());
    EXPECT_FALSE(tails->GetValue());
    click(&dialog, CTossDialog::kTailsId);
    EXPECT_TRUE(tails->GetValue());
    EXPECT_FALSE(heads->GetValue());
}

TEST_F(Toss, EscapeKeepsTheCallShownAndTheCoinDecides) {
    CTossDialog dialog(nullptr);
    wxTEST_DIALOG(dialog.ShowModal(), Drive<CTossDialog>([](CTossDialog& d) {
                      click(&d, CTossDialog::kTailsId);
                      pressKey(&d, WXK_ESCAPE);
                      EXPECT_FALSE(d.IsShown());
                      return d.GetReturnCode();
                  }));
    Random random;
    EXPECT_FALSE(dialog.userWonToss(random, seedShowing(kHeads)));
    EXPECT_EQ(dialog.coinFace(), kHeads);
    EXPECT_TRUE(dialog.userWonToss(random, seedShowing(kTails)));
    EXPECT_EQ(dialog.coinFace(), kTails);
}

TEST_F(Toss, TheUserWinsAndChoosesToBowlFirst) {
    CBatOrBowlDialog dialog("", nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Bat or Bowl?");
    wxTEST_DIALOG(dialog.ShowModal(), Drive<CBatOrBowlDialog>([](CBatOrBowlDialog& d) {
                      auto* bat = control<wxToggleButton>(&d, CBatOrBowlDialog::kBatFirstId);
                      auto* bowl = control<wxToggleButton>(&d, CBatOrBowlDialog::kBowlFirstId);
                      EXPECT_FALSE(control<wxTextCtrl>(&d, 1077)->IsShown());
                      EXPECT_TRUE(bat->IsShown());
                      EXPECT_EQ(bat->GetLabel(), "Bat\nFirst");
                      EXPECT_EQ(bowl->GetLabel(), "Bowl\nFirst");
                      EXPECT_TRUE(bat->GetValue());
                      EXPECT_FALSE(bowl->GetValue());
                      click(&d, CBatOrBowlDialog::kBowlFirstId);
                      EXPECT_FALSE(bat->GetValue());
                      EXPECT_TRUE(bowl->GetValue());
                      // Escape keeps the choice shown.
                      pressKey(&d, WXK_ESCAPE);
                      return d.GetReturnCode();
                  }));
    EXPECT_FALSE(dialog.batFirst());
}

TEST_F(Toss, AWrongCallMeetsTheComputersDecisionInTheSameBox) {
    // The right side is the computer's, so the user captains side 0 and calls heads; the coin
    // shows tails, and the computer bats.
    Scores scores;
    scores.teams[1].setComputerControlled(1);
    const int side = userSide(scores);
    ASSERT_EQ(side, 0);

    CTossDialog toss(nullptr);
    wxTEST_DIALOG(toss.ShowModal(), Drive<CTossDialog>([](CTossDialog& d) {
                      click(&d, wxID_OK);
                      return d.GetReturnCode();
                  }));
    Random random;
    const bool won = toss.userWonToss(random, seedShowing(kTails));
    ASSERT_FALSE(won);
    const TossDecision decision = decideToss(side, won, toss.coinFace(), true);

    CBatOrBowlDialog box(toWx(decision.message), nullptr);
    wxTEST_DIALOG(box.ShowModal(), Drive<CBatOrBowlDialog>([](CBatOrBowlDialog& d) {
                      EXPECT_TRUE(control<wxTextCtrl>(&d, 1077)->IsShown());
                      EXPECT_EQ(textOf(&d, 1077), "Computer won the toss and decided to bat");
                      EXPECT_FALSE(control<wxToggleButton>(&d, 1081)->IsShown());
                      EXPECT_FALSE(control<wxToggleButton>(&d, 1082)->IsShown());
                      click(&d, wxID_OK);
                      return d.GetReturnCode();
                  }));
    applyToss(scores, decision);
    EXPECT_EQ(scores.battingFirst, 1);
    EXPECT_EQ(scores.tossWinner, 1);
}

TEST_F(Toss, TheClockTossDrawsAFace) {
    CTossDialog dialog(nullptr);
    const bool won = dialog.userWonToss();
    EXPECT_EQ(won, dialog.coinFace() == kHeads); // heads was called
}

// ---- Select Teams -------------------------------------------------------------------------

wxListBox* listIn(wxWindow* dialog, int id) { return control<wxListBox>(dialog, id); }

std::vector<std::int32_t> idsOf(const Team& team) {
    std::vector<std::int32_t> ids;
    for (int i = 0; i < 11; ++i)
        ids.push_back(team.playerAt(i));
    return ids;
}

std::vector<std::int32_t> idsOf(const std::vector<std::string>& names, const PlayerDatabase& db) {
    std::vector<std::int32_t> ids;
    for (const auto& name : names)
        ids.push_back(db.findByDisplayName(name)->playerId);
    return ids;
}

TEST_F(SelectTeams, OpensWithTheDefaultNamesAndEveryPlayerSorted) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    EXPECT_EQ(dialog.GetTitle(), "Select Teams");
    EXPECT_EQ(textOf(&dialog, CSelectTeamsDialog::kLeftNameId), "India");
    EXPECT_EQ(textOf(&dialog, CSelectTeamsDialog::kRightNameId), "Pakistan");
    EXPECT_FALSE(control<wxCheckBox>(&dialog, CSelectTeamsDialog::kLeftComputerId)->GetValue());
    EXPECT_TRUE(control<wxCheckBox>(&dialog, CSelectTeamsDialog::kRightComputerId)->GetValue());
    EXPECT_EQ(listIn(&dialog, CSelectTeamsDialog::kLeftListId)->GetCount(), 0u);
    EXPECT_EQ(listIn(&dialog, CSelectTeamsDialog::kRightListId)->GetCount(), 0u);
    EXPECT_FALSE(okButton(&dialog)->IsEnabled());

    const auto rows = rowsOf(listIn(&dialog, CSelectTeamsDialog::kPlayerListId));
    EXPECT_EQ(static_cast<int>(rows.size()), database().count());
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return ListBoxModel::sortsBefore(a, b);
    }));
    auto* count = control<wxTextCtrl>(&dialog, CSelectTeamsDialog::kListedCountId);
    EXPECT_FALSE(count->IsShown());
    EXPECT_EQ(count->GetValue(), wxString::Format("%d", database().count()));

    auto* names = control<wxComboBox>(&dialog, CSelectTeamsDialog::kLeftNameId);
    ASSERT_EQ(names->GetCount(), 9u);
    EXPECT_EQ(names->GetString(0), "Australia");
    EXPECT_EQ(names->GetString(3), "New Zealand");
    EXPECT_EQ(names->GetString(8), "Zimbabwe");
}

TEST_F(SelectTeams, FromEmptyToAnAcceptedPairOfPredefinedElevens) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    int result = 0;
    wxTEST_DIALOG(result = dialog.ShowModal(), Drive<CSelectTeamsDialog>([](CSelectTeamsDialog& d) {
                      typeInto(&d, CSelectTeamsDialog::kLeftNameId, "Australia");
                      click(&d, CSelectTeamsDialog::kLeftSelectId);
                      EXPECT_FALSE(okButton(&d)->IsEnabled()); // the right side is empty
                      typeInto(&d, CSelectTeamsDialog::kRightNameId, "Sri Lanka");
                      click(&d, CSelectTeamsDialog::kRightSelectId);
                      // Only Sri Lanka's players outside its eleven are listed now.
                      for (const auto& row : rowsOf(listIn(&d, CSelectTeamsDialog::kPlayerListId)))
                          EXPECT_EQ(database().findByDisplayName(row)->country, 64) << row;
                      click(&d, CSelectTeamsDialog::kLeftComputerId); // computer takes the left
                      EXPECT_TRUE(okButton(&d)->IsEnabled());
                      click(&d, wxID_OK);
                      return d.GetReturnCode();
                  }));
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(scores.teams[0].name(), "Australia");
    EXPECT_EQ(scores.teams[1].name(), "Sri Lanka");
    EXPECT_TRUE(scores.teams[0].isComputerControlled());
    EXPECT_FALSE(scores.teams[1].isComputerControlled());
    const auto australia = predefinedTeam(database(), 1);
    const auto sriLanka = predefinedTeam(database(), 64);
    ASSERT_GE(australia.size(), 11u);
    ASSERT_GE(sriLanka.size(), 11u);
    EXPECT_EQ(idsOf(scores.teams[0]),
              idsOf({australia.begin(), australia.begin() + 11}, database()));
    EXPECT_EQ(idsOf(scores.teams[1]), idsOf({sriLanka.begin(), sriLanka.begin() + 11}, database()));
}

TEST_F(SelectTeams, EscapeAndTheCloseBoxAbandonAndWriteNothing) {
    for (const bool useCloseBox : {false, true}) {
        Scores scores;
        const Scores before = scores;
        CSelectTeamsDialog dialog(nullptr, scores, database());
        int result = 0;
        wxTEST_DIALOG(result = dialog.ShowModal(),
                      Drive<CSelectTeamsDialog>([useCloseBox](CSelectTeamsDialog& d) {
                          click(&d, CSelectTeamsDialog::kLeftSelectId);
                          click(&d, CSelectTeamsDialog::kRightSelectId);
                          EXPECT_TRUE(okButton(&d)->IsEnabled());
                          if (useCloseBox)
                              d.Close();
                          else
                              pressKey(&d, WXK_ESCAPE);
                          return d.GetReturnCode();
                      }));
        EXPECT_EQ(result, wxID_CANCEL) << useCloseBox;
        EXPECT_TRUE(scores.teams[0] == before.teams[0]);
        EXPECT_TRUE(scores.teams[1] == before.teams[1]);
    }
}

TEST_F(SelectTeams, ATooLongNameIsRefusedAndOkDoesNotClose) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    const std::string tooLong = "The Invincibles XI"; // 18 characters
    int result = 0;
    wxTEST_DIALOG(result = dialog.ShowModal(),
                  Drive<CSelectTeamsDialog>([&](CSelectTeamsDialog& d) {
                      click(&d, CSelectTeamsDialog::kLeftSelectId);
                      click(&d, CSelectTeamsDialog::kRightSelectId);
                      EXPECT_TRUE(okButton(&d)->IsEnabled());
                      typeInto(&d, CSelectTeamsDialog::kRightNameId, tooLong); // message 1
                      // A failed read leaves the OK check alone; OK reads again and refuses.
                      click(&d, wxID_OK); // message 2
                      EXPECT_EQ(d.GetReturnCode(), 0) << "the dialog closed";
                      EXPECT_EQ(scores.teams[1].name(), "") << "a refused OK stored the sides";
                      // The text typed is kept for the user to shorten, not lost.
                      EXPECT_EQ(textOf(&d, CSelectTeamsDialog::kRightNameId), tooLong);
                      typeInto(&d, CSelectTeamsDialog::kRightNameId, "Invincibles XI");
                      EXPECT_TRUE(okButton(&d)->IsEnabled());
                      click(&d, wxID_OK);
                      return d.GetReturnCode();
                  }),
                  ExpectMessage("Please enter no more than 16 characters."),
                  ExpectMessage("Please enter no more than 16 characters."));
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(scores.teams[1].name(), "Invincibles XI");
    EXPECT_EQ(scores.teams[0].name(), "India");
}

TEST_F(SelectTeams, SelectRefusesANameThatIsNotExactlyACountry) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    wxTEST_DIALOG(dialog.ShowModal(), Drive<CSelectTeamsDialog>([](CSelectTeamsDialog& d) {
                      const auto before = rowsOf(listIn(&d, CSelectTeamsDialog::kPlayerListId));
                      typeInto(&d, CSelectTeamsDialog::kLeftNameId, "india");
                      click(&d, CSelectTeamsDialog::kLeftSelectId);
                      EXPECT_EQ(rowsOf(listIn(&d, CSelectTeamsDialog::kPlayerListId)), before);
                      EXPECT_EQ(listIn(&d, CSelectTeamsDialog::kLeftListId)->GetCount(), 0u);
                      pressKey(&d, WXK_ESCAPE);
                      return d.GetReturnCode();
                  }),
                  ExpectMessage("You have to select one of the predefined teams"));
}

TEST_F(SelectTeams, MovesStopAtElevenAndGoBackInOrder) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    wxListBox* pool = listIn(&dialog, CSelectTeamsDialog::kPlayerListId);
    wxListBox* left = listIn(&dialog, CSelectTeamsDialog::kLeftListId);
    const auto all = rowsOf(pool);

    selectRows(pool, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    click(&dialog, CSelectTeamsDialog::kPoolToLeftId);
    EXPECT_EQ(left->GetCount(), 0u) << "twelve cannot go into one side";

    selectRows(pool, {3, 5, 7, 9, 11, 13, 15, 17, 19});
    click(&dialog, CSelectTeamsDialog::kPoolToLeftId);
    ASSERT_EQ(left->GetCount(), 9u);
    EXPECT_EQ(rowsOf(left)[0], all[3]);
    EXPECT_EQ(rowsOf(left)[8], all[19]);
    EXPECT_EQ(pool->GetCount(), all.size() - 9);

    selectRows(pool, {0, 1, 2});
    click(&dialog, CSelectTeamsDialog::kPoolToLeftId);
    EXPECT_EQ(left->GetCount(), 9u) << "9 + 3 passes eleven";
    selectRows(pool, {0, 1});
    click(&dialog, CSelectTeamsDialog::kPoolToLeftId);
    EXPECT_EQ(left->GetCount(), 11u);
    EXPECT_EQ(rowsOf(left)[9], all[0]);

    // Back to the middle list: it sorts them into place; the rest of the side keeps its order.
    selectRows(left, {0, 9});
    click(&dialog, CSelectTeamsDialog::kLeftToPoolId);
    ASSERT_EQ(left->GetCount(), 9u);
    EXPECT_EQ(rowsOf(left)[0], all[5]);
    EXPECT_EQ(rowsOf(left)[8], all[1]);
    const auto pooled = rowsOf(pool);
    EXPECT_TRUE(std::is_sorted(pooled.begin(), pooled.end(), [](const auto& a, const auto& b) {
        return ListBoxModel::sortsBefore(a, b);
    }));
    EXPECT_NE(std::find(pooled.begin(), pooled.end(), all[3]), pooled.end());

    // And the right side, through its own buttons.
    selectRows(pool, {0});
    click(&dialog, CSelectTeamsDialog::kPoolToRightId);
    EXPECT_EQ(rowsOf(listIn(&dialog, CSelectTeamsDialog::kRightListId)),
              std::vector<std::string>{pooled[0]});
    selectRows(listIn(&dialog, CSelectTeamsDialog::kRightListId), {0});
    click(&dialog, CSelectTeamsDialog::kRightToPoolId);
    EXPECT_EQ(listIn(&dialog, CSelectTeamsDialog::kRightListId)->GetCount(), 0u);
}

TEST_F(SelectTeams, EqualNamesHoldOkBackButCaseMatters) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    click(&dialog, CSelectTeamsDialog::kLeftSelectId);  // India
    click(&dialog, CSelectTeamsDialog::kRightSelectId); // Pakistan
    EXPECT_TRUE(okButton(&dialog)->IsEnabled());
    typeInto(&dialog, CSelectTeamsDialog::kRightNameId, "India");
    EXPECT_FALSE(okButton(&dialog)->IsEnabled());
    typeInto(&dialog, CSelectTeamsDialog::kRightNameId, "india");
    EXPECT_TRUE(okButton(&dialog)->IsEnabled());
    typeInto(&dialog, CSelectTeamsDialog::kRightNameId, "");
    EXPECT_FALSE(okButton(&dialog)->IsEnabled());
}

TEST_F(SelectTeams, TheComputerBoxesMoveTogether) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    auto* leftBox = control<wxCheckBox>(&dialog, CSelectTeamsDialog::kLeftComputerId);
    auto* rightBox = control<wxCheckBox>(&dialog, CSelectTeamsDialog::kRightComputerId);
    click(&dialog, CSelectTeamsDialog::kRightComputerId); // the ticked one
    EXPECT_TRUE(leftBox->GetValue());
    EXPECT_FALSE(rightBox->GetValue());
    click(&dialog, CSelectTeamsDialog::kRightComputerId);
    EXPECT_FALSE(leftBox->GetValue());
    EXPECT_TRUE(rightBox->GetValue());
}

TEST_F(SelectTeams, HintsAdviseEachSide) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    click(&dialog, CSelectTeamsDialog::kRightSelectId);
    wxTEST_DIALOG(click(&dialog, CSelectTeamsDialog::kLeftHintsId),
                  ExpectMessage("You need 11 players in the team"));
    const auto expected = balanceHint(predefinedTeam(database(), 16), database());
    wxTEST_DIALOG(click(&dialog, CSelectTeamsDialog::kRightHintsId), ExpectMessage(expected));
}

TEST_F(SelectTeams, FilterRunsThePlayerFilterAndRefillsTheMiddleList) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    wxTEST_DIALOG(click(&dialog, CSelectTeamsDialog::kFilterId),
                  Drive<CPlayerFilterDialog>([](CPlayerFilterDialog& f) {
                      for (int k = 0; k < 9; ++k) {
                          if (k != 2 && k != 6) // keep India and Sri Lanka
                              click(&f, CPlayerFilterDialog::kFirstBoxId + k);
                      }
                      click(&f, wxID_OK);
                      return f.GetReturnCode();
                  }));
    EXPECT_EQ(dialog.selection().countryMask(), 68);
    const auto rows = rowsOf(listIn(&dialog, CSelectTeamsDialog::kPlayerListId));
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
        const int country = database().findByDisplayName(row)->country;
        EXPECT_TRUE(country == 4 || country == 64) << row;
    }
    EXPECT_EQ(textOf(&dialog, CSelectTeamsDialog::kListedCountId), std::to_string(rows.size()));
}

TEST_F(SelectTeams, DoubleClickOpensTheBrowserOnThatPlayer) {
    Scores scores;
    CSelectTeamsDialog dialog(nullptr, scores, database());
    wxListBox* pool = listIn(&dialog, CSelectTeamsDialog::kPlayerListId);
    const std::string name = pool->GetString(5).ToStdString();
    wxTEST_DIALOG(doubleClickRow(pool, 5),
                  Drive<CPlayerBrowserDialog>([&](CPlayerBrowserDialog& b) {
                      wxListBox* list = listIn(&b, 1000);
                      EXPECT_EQ(list->GetStringSelection().ToStdString(), name);
                      EXPECT_EQ(textOf(&b, 1002), database().findByDisplayName(name)->fullName());
                      click(&b, wxID_CANCEL);
                      return b.GetReturnCode();
                  }));
    EXPECT_EQ(pool->GetCount(), static_cast<unsigned>(database().count()));
}

} // namespace
} // namespace quorvel::gui

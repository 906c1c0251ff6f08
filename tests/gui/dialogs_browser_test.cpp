// The player browser and the player filter, opened for real and driven through their controls.

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "browser/CPlayerBrowserDialog.h"
#include "browser/CPlayerFilterDialog.h"
#include "common/dialog_fields.h"
#include "gui/gui_support.h"

namespace quorvel::gui {
namespace {

using PlayerFilterDialog = DialogTest;
using PlayerBrowserDialog = DialogTest;

// Runs the filter built from mask; drive acts on it before it returns; the result mask.
std::int32_t runFilter(std::int32_t mask, const std::function<void(CPlayerFilterDialog&)>& drive) {
    CPlayerFilterDialog dialog(nullptr, mask);
    wxTEST_DIALOG(dialog.ShowModal(), Drive<CPlayerFilterDialog>([&](CPlayerFilterDialog& d) {
                      drive(d);
                      EXPECT_FALSE(d.IsShown());
                      return d.GetReturnCode();
                  }));
    return dialog.resultMask();
}

wxCheckBox* box(wxWindow* dialog, int k) {
    return control<wxCheckBox>(dialog, CPlayerFilterDialog::kFirstBoxId + k);
}

TEST_F(PlayerFilterDialog, ShowsTheMaskAndOkAtOnceGivesItBack) {
    const std::int32_t result = runFilter(511, [](CPlayerFilterDialog& d) {
        EXPECT_EQ(d.GetTitle(), "Player Filter");
        const char* names[] = {"Australia",   "England",     "India",
                               "New Zealand", "Pakistan",    "South Africa",
                               "Sri Lanka",   "West Indies", "Zimbabwe"};
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ(box(&d, k)->GetLabel(), names[k]);
            EXPECT_TRUE(box(&d, k)->GetValue()) << k;
        }
        click(&d, wxID_OK);
    });
    EXPECT_EQ(result, 511);
}

TEST_F(PlayerFilterDialog, TickingOnlyIndiaAndSriLankaGives68) {
    EXPECT_EQ(runFilter(0,
                        [](CPlayerFilterDialog& d) {
                            click(&d, CPlayerFilterDialog::kFirstBoxId + 2);
                            click(&d, CPlayerFilterDialog::kFirstBoxId + 6);
                            pressKey(&d, WXK_RETURN); // Enter is OK
                        }),
              68);
}

TEST_F(PlayerFilterDialog, ClearingEveryBoxGivesZero) {
    EXPECT_EQ(runFilter(511,
                        [](CPlayerFilterDialog& d) {
                            for (int k = 0; k < 9; ++k)
                                click(&d, CPlayerFilterDialog::kFirstBoxId + k);
                            click(&d, wxID_OK);
                        }),
              0);
}

TEST_F(PlayerFilterDialog, EscapeGivesBackTheMaskItWasBuiltWith) {
    EXPECT_EQ(runFilter(68,
                        [](CPlayerFilterDialog& d) {
                            EXPECT_TRUE(box(&d, 2)->GetValue());
                            EXPECT_FALSE(box(&d, 3)->GetValue());
                            click(&d, CPlayerFilterDialog::kFirstBoxId + 2);
                            click(&d, CPlayerFilterDialog::kFirstBoxId + 0);
                            pressKey(&d, WXK_ESCAPE);
                            EXPECT_EQ(d.GetReturnCode(), wxID_CANCEL);
                        }),
              68);
}

TEST_F(PlayerFilterDialog, BitsAboveTheNineCountriesAreDropped) {
    EXPECT_EQ(runFilter(0x7FFFFE00 | 4, [](CPlayerFilterDialog& d) { click(&d, wxID_OK); }), 4);
}

// ---- Player Browser -------------------------------------------------------------------------

constexpr int kList = 1000;

wxListBox* playerList(wxWindow* dialog) { return control<wxListBox>(dialog, kList); }

// The first player of the database for whom pick holds.
const Player& firstPlayer(const PlayerDatabase& db,
                          const std::function<bool(const Player&)>& pick) {
    const auto& players = db.players();
    const auto it = std::find_if(players.begin(), players.end(), pick);
    EXPECT_NE(it, players.end());
    return *it;
}

TEST_F(PlayerBrowserDialog, WithoutAPreselectionListsEveryoneAndShowsNothing) {
    CPlayerBrowserDialog dialog(nullptr, database());
    EXPECT_EQ(dialog.GetTitle(), "Player Browser");
    const auto rows = rowsOf(playerList(&dialog));
    EXPECT_EQ(static_cast<int>(rows.size()), database().count());
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return ListBoxModel::sortsBefore(a, b);
    }));
    EXPECT_EQ(playerList(&dialog)->GetSelection(), wxNOT_FOUND);
    for (const int id : {1002, 1003, 1004, 1005})
        EXPECT_EQ(textOf(&dialog, id), "") << id;
    for (const int id :
         {1006, 1007, 1009, 1008, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1020, 1021})
        EXPECT_EQ(textOf(&dialog, id), "0") << id;
    EXPECT_FALSE(control<wxTextCtrl>(&dialog, 1129)->IsShown());
    EXPECT_EQ(textOf(&dialog, 1129), std::to_string(database().count()));
}

TEST_F(PlayerBrowserDialog, APreselectedPlayerIsSelectedAndShownAtOnce) {
    const Player& keeper = firstPlayer(database(), [](const Player& p) {
        return p.isWicketKeeper() && p.battingAverage != static_cast<int>(p.battingAverage);
    });
    CPlayerBrowserDialog dialog(nullptr, database(), keeper.displayName());
    wxTEST_DIALOG(dialog.ShowModal(), Drive<CPlayerBrowserDialog>([&](CPlayerBrowserDialog& d) {
                      EXPECT_EQ(playerList(&d)->GetStringSelection().ToStdString(),
                                keeper.displayName());
                      EXPECT_EQ(textOf(&d, 1002), keeper.fullName());
                      EXPECT_EQ(textOf(&d, 1005), countryName(keeper.country));
                      EXPECT_EQ(textOf(&d, 1004), "Wicket Keeper");
                      EXPECT_EQ(textOf(&d, 1011), formatNumber(keeper.battingAverage));
                      EXPECT_EQ(textOf(&d, 1009), std::to_string(keeper.runsScored));
                      click(&d, wxID_CANCEL); // "Close"
                      return d.GetReturnCode();
                  }));
}

TEST_F(PlayerBrowserDialog, SelectingAPlayerShowsHisFiguresAndWords) {
    CPlayerBrowserDialog dialog(nullptr, database());
    const Player& bowler = firstPlayer(database(), [](const Player& p) {
        return !p.isWicketKeeper() && (p.bowlingFlags & 0x1F) != 0;
    });
    const int row = rowOf(playerList(&dialog), bowler.displayName());
    ASSERT_GE(row, 0);
    selectRows(playerList(&dialog), {row});
    EXPECT_EQ(textOf(&dialog, 1002), bowler.fullName());
    EXPECT_EQ(textOf(&dialog, 1003),
              (bowler.battingFlags & 0x100) ? "Left Hand Bat" : "Right hand Bat");
    EXPECT_EQ(textOf(&dialog, 1004), bowlingText(bowler));
    EXPECT_EQ(textOf(&dialog, 1004)
                  .rfind((bowler.bowlingFlags & 0x100) ? "Left Hand " : "Right Hand ", 0),
              0u);
    EXPECT_EQ(textOf(&dialog, 1017), std::to_string(bowler.wickets));
    EXPECT_EQ(textOf(&dialog, 1021), formatNumber(bowler.economyRate));
    EXPECT_EQ(textOf(&dialog, 1019), bowler.bestBowling);
    // Labels stand above the figure boxes.
    EXPECT_NE(dialog.FindWindowByLabel("Eco"), nullptr);
    EXPECT_NE(dialog.FindWindowByLabel("Best"), nullptr);
}

TEST_F(PlayerBrowserDialog, AFilterNarrowsTheListAndDropsAPreselectionItLeavesOut) {
    const Player& indian = firstPlayer(database(), [](const Player& p) { return p.country == 4; });
    CPlayerBrowserDialog dialog(nullptr, database(), indian.displayName());
    ASSERT_EQ(playerList(&dialog)->GetStringSelection().ToStdString(), indian.displayName());

    // Only Pakistan, through the real filter dialog.
    wxTEST_DIALOG(click(&dialog, CPlayerBrowserDialog::kFilterId),
                  Drive<CPlayerFilterDialog>([](CPlayerFilterDialog& f) {
                      for (int k = 0; k < 9; ++k) {
                          if (k != 4)
                              click(&f, CPlayerFilterDialog::kFirstBoxId + k);
                      }
                      click(&f, wxID_OK);
                      return f.GetReturnCode();
                  }));
    const auto rows = rowsOf(playerList(&dialog));
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows)
        EXPECT_EQ(database().findByDisplayName(row)->country, 16) << row;
    EXPECT_EQ(textOf(&dialog, 1129), std::to_string(rows.size()));
    EXPECT_EQ(playerList(&dialog)->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(textOf(&dialog, 1002), indian.fullName()) << "the last player stays shown";

    // India again: the preselection holds for every refill.
    dialog.setFilterRunner([](std::int32_t) { return 4; });
    click(&dialog, CPlayerBrowserDialog::kFilterId);
    EXPECT_EQ(playerList(&dialog)->GetStringSelection().ToStdString(), indian.displayName());

    // No country at all: an empty list, the boxes keep the last player.
    dialog.setFilterRunner([](std::int32_t) { return 0; });
    click(&dialog, CPlayerBrowserDialog::kFilterId);
    EXPECT_EQ(playerList(&dialog)->GetCount(), 0u);
    EXPECT_EQ(textOf(&dialog, 1129), "0");
    EXPECT_EQ(textOf(&dialog, 1002), indian.fullName());
}

TEST_F(PlayerBrowserDialog, EnterReadsTheBoxesBackAndStaysOpenOnABadOne) {
    CPlayerBrowserDialog dialog(nullptr, database());
    int result = 0;
    wxTEST_DIALOG(
        result = dialog.ShowModal(), Drive<CPlayerBrowserDialog>([](CPlayerBrowserDialog& d) {
            typeInto(&d, 1009, "lots");
            pressKey(&d, WXK_RETURN);
            EXPECT_EQ(d.GetReturnCode(), 0) << "closed on a bad box";
            EXPECT_EQ(textOf(&d, 1009), "lots") << "the typing is kept";
            typeInto(&d, 1009, "25001");
            pressKey(&d, WXK_RETURN);
            EXPECT_EQ(d.GetReturnCode(), 0);
            typeInto(&d, 1009, "120");
            pressKey(&d, WXK_RETURN);
            return d.GetReturnCode();
        }),
        ExpectMessage("Please enter an integer."), ExpectMessage(integerRangeMessage(0, 25000)));
    EXPECT_EQ(result, wxID_OK);
}

TEST_F(PlayerBrowserDialog, EscapeClosesAtOnce) {
    CPlayerBrowserDialog dialog(nullptr, database());
    int result = 0;
    wxTEST_DIALOG(result = dialog.ShowModal(),
                  Drive<CPlayerBrowserDialog>([](CPlayerBrowserDialog& d) {
                      typeInto(&d, 1009, "not read");
                      pressKey(&d, WXK_ESCAPE);
                      return d.GetReturnCode();
                  }));
    EXPECT_EQ(result, wxID_CANCEL);
}

} // namespace
} // namespace quorvel::gui

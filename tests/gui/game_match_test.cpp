// The game started for real: the empty form, File > New through every set-up dialog, overs
// bowled with ">" and "Bowl Over" under the enabling rules, a whole match to its result, the
// scoresheet and log windows, and saving and opening the match.

#include <algorithm>
#include <cstdio>
#include <regex>
#include <set>

#include <wx/choicdlg.h>
#include <wx/config.h>
#include <wx/dcclient.h>
#include <wx/dir.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpdata.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/slider.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "engine/random.h"
#include "gui/game_support.h"
#include "records/scores.h"
#include "reports/CChartsWindow.h"
#include "reports/CLogDialog.h"
#include "reports/CScoreSheetDialog.h"
#include "setup/CBatOrBowlDialog.h"
#include "setup/CSelectBatsmanDialog.h"
#include "setup/CSelectTeamsDialog.h"
#include "setup/CTossDialog.h"
#include "setup/toss.h"
#include "shell/CTournamentTextDialog.h"
#include "tournament/tournament_file.h"

namespace quorvel::gui {
namespace {

class GameMatch : public GameTest {
protected:
    // File > New answered through each dialog in turn, up to the first ball.
    void newMatch() {
        wxTEST_DIALOG(command(commands::kFileNewId), Drive<CSelectTeamsDialog>(twoElevens),
                      Drive<CTossDialog>([](CTossDialog&) { return wxID_OK; }),
                      Drive<CBatOrBowlDialog>([](CBatOrBowlDialog&) { return wxID_OK; }),
                      Drive<CSelectBatsmanDialog>(pickFirst),
                      Drive<CSelectBatsmanDialog>(pickFirst));
    }

    bool userFields() {
        const Scores& scores = doc().scores;
        return !scores.teams[scores.fieldingSide(screen().figures().inningsIndex)]
                    .isComputerControlled();
    }

    bool checked(int row) {
        return static_cast<CRowButton*>(form().FindWindow(CMatchForm::kBowlerRowIds[row][5]))
            ->checked();
    }

    // One over: when the user fields, the bowler choice on screen is checked against the rules
    // and a ">" pressed when no bowler is preselected; then "Bowl Over".
    void playOver() {
        const InningsFigures& f = screen().figures();
        if (userFields()) {
            const int returning = f.bowlerBeforeLastRow;
            if (f.overNumber < 2) {
                EXPECT_FALSE(enabled(CMatchForm::kBowlOverId)) << "over " << f.overNumber;
            } else if (returning >= 0 && screen().bowlerButtons().enabled[returning]) {
                EXPECT_TRUE(enabled(CMatchForm::kBowlOverId)) << "over " << f.overNumber;
                EXPECT_TRUE(checked(returning)) << "over " << f.overNumber;
                ++preselections;
            }
            for (int row = 0; row < kBowlerRows; ++row)
                if (f.bowlerOvers[row] >= 10) {
                    EXPECT_FALSE(enabled(CMatchForm::kBowlerRowIds[row][5])) << "row " << row;
                    ++tenOverBowlersSeen;
                }
            if (!enabled(CMatchForm::kBowlOverId)) {
                for (int row = 0; row < kBowlerRows; ++row) {
                    const int id = CMatchForm::kBowlerRowIds[row][5];
                    if (shown(id) && enabled(id)) {
                        press(id);
                        EXPECT_TRUE(checked(row));
                        break;
                    }
                }
            }
        }
        ASSERT_TRUE(enabled(CMatchForm::kBowlOverId));
        press(CMatchForm::kBowlOverId);
    }

    // Overs until the match on the form is over.
    void playMatchOut() {
        for (int overs = 0; screen().flow().inInnings() && overs < 2 * kOversPerInnings + 2;
             ++overs) {
            playOver();
            if (HasFatalFailure())
                return;
        }
        ASSERT_EQ(screen().state(), MatchState::MatchOver);
    }

    int preselections = 0;
    int tenOverBowlersSeen = 0;
};

TEST_F(GameMatch, StartsWithAnEmptyMatch) {
    EXPECT_EQ(frame().GetTitle(), "Untitled - Quorvel");
    EXPECT_EQ(frame().GetStatusBar()->GetStatusText(0), "For Help, press F1");
    EXPECT_EQ(frame().GetStatusBar()->GetFieldsCount(), 4);
    EXPECT_EQ(frame().GetStatusBar()->GetId(), commandId(59393));
    EXPECT_FALSE(enabled(CMatchForm::kBowlOverId));
    EXPECT_FALSE(enabled(CMatchForm::kScoresheetId));
    EXPECT_TRUE(enabled(CMatchForm::kDetailsId));
    EXPECT_FALSE(shown(CMatchForm::kBallByBallId));
    EXPECT_FALSE(shown(CMatchForm::kChasingId));
    EXPECT_FALSE(shown(CMatchForm::kProgressId));
    for (const auto& row : CMatchForm::kBowlerRowIds)
        EXPECT_FALSE(shown(row[5]) && enabled(row[5]));
    EXPECT_EQ(text(CMatchForm::kRunsId), "0");
    EXPECT_EQ(text(CMatchForm::kRunRateId), "0");
    // In a window smaller than the form the form scrolls, hidden controls and all, without a
    // complaint from the toolkit (which fails the run).
    frame().SetMinSize(wxDefaultSize);
    frame().SetClientSize(form().designSize() / 2);
    letDraw(3);
    form().Scroll(0, 10);
    letDraw(3);
    EXPECT_GT(form().GetViewStart().y, 0);

    wxMenuBar* bar = frame().GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(1), "&View");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Match");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Tournament");
    EXPECT_EQ(bar->GetMenuLabel(4), "&Help");
    // The computer plays on only in an innings; Stop only while it plays.
    for (const int id : {commands::kMatchNextOverId, commands::kMatchEndOfInningsId,
                         commands::kMatchEndOfMatchId, commands::kMatchStopId}) {
        ASSERT_NE(bar->FindItem(id), nullptr);
        EXPECT_NE(bar->FindItem(id)->GetAccel(), nullptr) << id;
        frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
        EXPECT_FALSE(bar->FindItem(id)->IsEnabled()) << id;
    }
    EXPECT_EQ(bar->FindItem(commands::kMatchEndOfMatchId)->GetItemLabelText(),
              "Play to End of Match");
    ASSERT_NE(bar->FindItem(commands::kFileNewId), nullptr);
    EXPECT_EQ(bar->FindItem(commands::kFileNewId)->GetHelp(), "Start a new game");
    EXPECT_EQ(bar->FindItem(commands::kAppExitId)->GetItemLabel(), "E&xit");
    ASSERT_EQ(bar->FindItem(commands::kAppExitId)->GetExtraAccels().size(), 1u);
    EXPECT_EQ(bar->FindItem(commands::kAppExitId)->GetExtraAccels()[0].ToString(), "Ctrl+Q");
    EXPECT_EQ(bar->FindItem(commands::kViewPlayersId)->GetHelp(), "Browse Player Database");
    EXPECT_EQ(bar->FindItem(commands::kAppAboutId)->GetItemLabel(), "&About Quorvel...");
    // Open, save and print are reached through the accelerators alone.
    EXPECT_EQ(bar->FindItem(commands::kFileOpenId), nullptr);
    EXPECT_EQ(bar->FindItem(commands::kFileSaveId), nullptr);
}

TEST_F(GameMatch, AFigureBoxMeasuresALongNameAFixedNumberOfTimes) {
    auto* box = static_cast<CFigureBox*>(form().FindWindow(CMatchForm::kBattingNameId));
    wxClientDC dc(box);
    dc.SetFont(box->GetFont());
    box->SetLabel("India");
    EXPECT_EQ(box->fitText(dc, 200), "India");
    EXPECT_EQ(box->measurements(), 1);
    for (const int length : {400, 16000}) {
        box->SetLabel(wxString('W', length));
        const wxString shown = box->fitText(dc, 120);
        EXPECT_LE(box->measurements(), 2) << length;
        EXPECT_TRUE(shown.StartsWith("WW") && shown.EndsWith(wxString::FromUTF8("\u2026")));
        EXPECT_LE(dc.GetTextExtent(shown).GetWidth(), 120);
    }
}

TEST_F(GameMatch, NewMatchRunsEveryDialogToTheFirstBall) {
    newMatch();
    const Scores& scores = doc().scores;
    EXPECT_EQ(scores.teams[0].name(), "India");
    EXPECT_EQ(scores.teams[1].name(), "Pakistan");
    EXPECT_EQ(frame().GetTitle(), "India vs. Pakistan, " + scores.matchDate + " - Quorvel");
    EXPECT_EQ(screen().state(), MatchState::FirstInnings);
    EXPECT_TRUE(enabled(CMatchForm::kScoresheetId));
    EXPECT_FALSE(shown(CMatchForm::kChasingId));
    EXPECT_NE(text(CMatchForm::kBatsmanNameIds[0]), "");
    EXPECT_NE(text(CMatchForm::kBatsmanNameIds[1]), "");
    expectFormShowsFigures();

    // The user moves the sliders of his own side only.
    const bool userBats = !userFields();
    for (int id : {slider::kRunning, slider::kBattingSlot0, slider::kBattingSlot1})
        EXPECT_EQ(form().FindWindow(id)->IsEnabled(), userBats) << id;
    for (int id : {slider::kBowling, slider::kFielding})
        EXPECT_EQ(form().FindWindow(id)->IsEnabled(), !userBats) << id;
    const int movable = userBats ? slider::kRunning : slider::kBowling;
    auto* one = static_cast<wxSlider*>(form().FindWindow(movable));
    EXPECT_EQ(one->GetMin(), 0);
    EXPECT_EQ(one->GetMax(), 4);
    EXPECT_EQ(one->GetValue(), 2);
    one->SetValue(4);
    wxCommandEvent moved(wxEVT_SLIDER, movable);
    moved.SetInt(4);
    moved.SetEventObject(one);
    one->ProcessWindowEvent(moved);
    EXPECT_EQ(screen().sliderState(movable).position, 4);
}

TEST_F(GameMatch, OversFollowTheEnablingRulesAndTheFormShowsTheEngine) {
    newMatch();
    AnswerEverything answers;
    for (int over = 0; over < 6 && screen().state() == MatchState::FirstInnings; ++over) {
        playOver();
        expectFormShowsFigures();
        if (HasFatalFailure())
            return;
    }
    EXPECT_GE(screen().figures().overNumber, 1);
}

TEST_F(GameMatch, WholeMatchToItsResultThenSheetLogSaveAndOpen) {
    newMatch();
    AnswerEverything answers;
    int overs = 0;
    while (screen().flow().inInnings() && overs < 2 * kOversPerInnings + 2) {
        playOver();
        if (HasFatalFailure())
            return;
        ++overs;
        if (overs % 7 == 0)
            expectFormShowsFigures();
    }
    ASSERT_EQ(screen().state(), MatchState::MatchOver);
    EXPECT_GT(preselections, 0);
    if (screen().figures().inningsIndex == 1 || tenOverBowlersSeen == 0) {
        // A side that fielded through 20 overs or more had a bowler reach ten.
        SUCCEED();
    }
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_EQ(answers.messages.back(), screen().flow().inningsLine(1));
    EXPECT_NE(
        std::find(answers.messages.begin(), answers.messages.end(), screen().flow().inningsLine(0)),
        answers.messages.end());
    EXPECT_FALSE(enabled(CMatchForm::kBowlOverId));
    for (const auto& row : CMatchForm::kBowlerRowIds)
        EXPECT_FALSE(shown(row[5]) && enabled(row[5]));
    expectFormShowsFigures();

    // The scoresheet window shows the whole sheet, from its top.
    std::string sheetShown;
    answers.answer("CScoreSheetDialog", [&](wxDialog& dialog) {
        auto& sheet = static_cast<CScoreSheetDialog&>(dialog);
        sheetShown = std::string(sheet.text()->GetValue().ToUTF8());
        EXPECT_EQ(sheet.GetTitle(), "Score Sheet");
        EXPECT_NE(dialog.FindWindow(CScoreSheetDialog::kSaveId), nullptr);
        return wxID_OK;
    });
    press(CMatchForm::kScoresheetId);
    EXPECT_EQ(answers.counts["CScoreSheetDialog"], 1);
    EXPECT_EQ(sheetShown.rfind("India vs. Pakistan\n", 0), 0u);
    EXPECT_NE(sheetShown.find("Bowling"), std::string::npos);

    // The log window holds the whole commentary, unwrapped, scrolled to its end.
    answers.answer("CLogDialog", [&](wxDialog& dialog) {
        auto& log = static_cast<CLogDialog&>(dialog);
        EXPECT_EQ(log.GetTitle(), "Quorvel Log");
        EXPECT_TRUE(log.text()->HasFlag(wxTE_DONTWRAP));
        EXPECT_EQ(log.text()->GetInsertionPoint(), log.text()->GetLastPosition());
        EXPECT_EQ(log.text()->GetValue(), toDisplayText(screen().log().text()));
        return wxID_OK;
    });
    press(CMatchForm::kDetailsId);
    EXPECT_EQ(answers.counts["CLogDialog"], 1);

    // Save: the first save asks for a name; the file is the match record's archive form.
    const std::string path = scratch_.file("match.quo");
    nextFile = scratch_.file("match");
    command(commands::kFileSaveId);
    EXPECT_EQ(fileQuestions, 1);
    EXPECT_EQ(offeredFiles.back(), doc().scores.title());
    const std::string saved = test::readBytes(path);
    EXPECT_TRUE(saved == encodeScores(doc().scores));
    EXPECT_EQ(frame().GetTitle(), "match.quo - Quorvel");
    // A second save writes straight to the same file.
    command(commands::kFileSaveId);
    EXPECT_EQ(fileQuestions, 1);

    // Open it again: the same match, shown with its final figures; saved again, the same bytes.
    const InningsFigures end = screen().figures();
    nextFile = path;
    command(commands::kFileOpenId);
    EXPECT_EQ(fileQuestions, 2);
    EXPECT_TRUE(encodeScores(doc().scores) == saved);
    EXPECT_TRUE(view().showsOpenedMatch());
    EXPECT_EQ(text(CMatchForm::kRunsId), std::to_string(end.totalRuns));
    EXPECT_EQ(text(CMatchForm::kWicketsId), std::to_string(end.totalWickets));
    // Exactly the figures the live screen ended with, an innings ended on an over's sixth ball
    // included.
    EXPECT_EQ(text(CMatchForm::kOversId), formatFormDouble(end.oversFigure).ToStdString());
    EXPECT_EQ(text(CMatchForm::kRunRateId), formatFormDouble(end.runRate).ToStdString());
    EXPECT_EQ(text(CMatchForm::kBattingNameId), end.battingTeamName);
    EXPECT_FALSE(enabled(CMatchForm::kBowlOverId));
    EXPECT_TRUE(enabled(CMatchForm::kScoresheetId));
    std::remove(path.c_str());
    command(commands::kFileSaveId);
    EXPECT_TRUE(test::readBytes(path) == saved);
}

TEST_F(GameMatch, FailedOpenKeepsTheMatchAndSaysWhy) {
    newMatch();
    const std::string before = encodeScores(doc().scores);
    const wxString title = frame().GetTitle();
    const std::string bad = scratch_.file("bad.quo");
    test::writeBytes(bad, "not a match");
    AnswerEverything answers;
    nextFile = bad;
    command(commands::kFileOpenId);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find(bad), std::string::npos);
    EXPECT_TRUE(encodeScores(doc().scores) == before);
    EXPECT_EQ(frame().GetTitle(), title);
    EXPECT_EQ(screen().state(), MatchState::FirstInnings);

    // A file that is not there.
    const std::string missing = scratch_.file("missing.quo");
    nextFile = missing;
    command(commands::kFileOpenId);
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_NE(answers.messages[1].find(missing), std::string::npos);
    EXPECT_TRUE(encodeScores(doc().scores) == before);

    // A cancelled open changes nothing and says nothing.
    nextFile.clear();
    command(commands::kFileOpenId);
    EXPECT_EQ(answers.messages.size(), 2u);
    EXPECT_TRUE(encodeScores(doc().scores) == before);
}

TEST_F(GameMatch, TournamentPlaysSavesOpensAndEndsWithItsChampion) {
    AnswerEverything answers; // the country choice answered OK: the user captains none
    command(commands::kTournamentNewId);
    const auto& tournament = frame().tournament();
    ASSERT_TRUE(tournament.has_value());
    EXPECT_EQ(tournament->userSide(), kNoSide);
    for (int i = 0; i < 3; ++i)
        command(commands::kTournamentNextId);
    ASSERT_EQ(tournament->results().size(), 3u);
    EXPECT_EQ(answers.messages.back().rfind("Match 3 of 39: ", 0), 0u) << answers.messages.back();

    const std::string path = scratch_.file("cup.quot");
    nextFile = scratch_.file("cup");
    command(commands::kTournamentSaveId);
    const std::string saved = test::readBytes(path);
    EXPECT_TRUE(saved == encodeTournament(*tournament));

    // Played on, then a bad file refused with its message and the tournament in play kept.
    command(commands::kTournamentNextId);
    const std::string played = encodeTournament(*tournament);
    const std::string bad = scratch_.file("bad.quot");
    test::writeBytes(bad, "not a tournament");
    nextFile = bad;
    command(commands::kTournamentOpenId);
    EXPECT_NE(answers.messages.back().find(bad), std::string::npos);
    EXPECT_TRUE(encodeTournament(*tournament) == played);

    // Opened again at three matches, then played out to the champion.
    nextFile = path;
    command(commands::kTournamentOpenId);
    EXPECT_TRUE(encodeTournament(*tournament) == saved);
    for (int i = 0; i < kTournamentMatches && !tournament->champion(); ++i)
        command(commands::kTournamentNextId);
    ASSERT_TRUE(tournament->champion().has_value());
    EXPECT_EQ(tournament->results().size(), std::size_t{kTournamentMatches});
    EXPECT_NE(answers.messages.back().find("Champion: "), std::string::npos);

    std::vector<std::string> shown;
    answers.answer("CTournamentTextDialog", [&](wxDialog& dialog) {
        shown.push_back(fromWx(static_cast<CTournamentTextDialog&>(dialog).text()->GetValue()));
        return wxID_OK;
    });
    command(commands::kTournamentTableId);
    command(commands::kTournamentLeadersId);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find("Champion: "), std::string::npos);
    EXPECT_EQ(shown[1].rfind("Leaders\nMost runs\n", 0), 0u);
}

TEST_F(GameMatch, TournamentOfTheUsersSideIsPlayedOnTheFormToItsChampion) {
    AnswerEverything answers;
    answers.saveAnswer = wxID_NO; // each finished match is dropped unsaved
    answers.answer("wxSingleChoiceDialog", [](wxDialog& dialog) {
        static_cast<wxSingleChoiceDialog&>(dialog).SetSelection(2); // the second country
        return wxID_OK;
    });
    command(commands::kTournamentNewId);
    const auto& tournament = frame().tournament();
    ASSERT_TRUE(tournament.has_value());
    ASSERT_EQ(tournament->userSide(), 1);
    command(commands::kTournamentNextId); // the first fixture is the user's: on the form
    ASSERT_TRUE((frame().tournaments().fixtureOnForm() != nullptr));
    EXPECT_EQ(doc().scores.teams[0].name(), countryNameAt(1));
    command(commands::kTournamentNextId); // refused until the match is over
    EXPECT_EQ(answers.messages.back(), "Finish your tournament match on the form first.");
    playMatchOut();
    EXPECT_FALSE((frame().tournaments().fixtureOnForm() != nullptr));
    ASSERT_EQ(tournament->results().size(), 1u);
    EXPECT_EQ(answers.messages.back().rfind("Match 1 of 39: ", 0), 0u) << answers.messages.back();

    // Saved, played on to the user's next match, then opened again: the match on the form no
    // longer belongs to the tournament in hand.
    const std::string path = scratch_.file("mine.quot");
    nextFile = path;
    command(commands::kTournamentSaveId);
    const std::string saved = test::readBytes(path);
    // The user's next match, played twice from the saved tournament with the same choices,
    // gives the same tournament: its matches are seeded from the tournament's seed.
    std::string playedOn;
    for (int replay = 0; replay < 2; ++replay) {
        for (int i = 0; i < kTournamentMatches && !frame().tournaments().fixtureOnForm(); ++i)
            command(commands::kTournamentNextId);
        ASSERT_TRUE((frame().tournaments().fixtureOnForm() != nullptr));
        playMatchOut();
        if (replay == 0) {
            playedOn = encodeTournament(*tournament);
            // The coin fell as the match's seed makes it fall (the user calls heads).
            const MatchResult& mine = tournament->results().back();
            Random coin;
            const bool userWon = tossCoin(coin, mine.seed) == kHeads;
            const int other =
                mine.fixture.sides[0] == 1 ? mine.fixture.sides[1] : mine.fixture.sides[0];
            EXPECT_EQ(mine.tossWinner, userWon ? 1 : other);
        } else
            EXPECT_TRUE(encodeTournament(*tournament) == playedOn);
        command(commands::kTournamentOpenId);
        EXPECT_TRUE(encodeTournament(*tournament) == saved);
    }
    for (int i = 0; i < kTournamentMatches && !frame().tournaments().fixtureOnForm(); ++i)
        command(commands::kTournamentNextId);
    ASSERT_TRUE((frame().tournaments().fixtureOnForm() != nullptr));
    command(commands::kTournamentOpenId);
    EXPECT_FALSE((frame().tournaments().fixtureOnForm() != nullptr));
    EXPECT_TRUE(encodeTournament(*tournament) == saved);

    // Played out: the user's matches on the form, the others at once.
    int onTheForm = 1;
    for (int i = 0; i < kTournamentMatches && !tournament->champion(); ++i) {
        command(commands::kTournamentNextId);
        if (frame().tournaments().fixtureOnForm()) {
            ++onTheForm;
            playMatchOut();
            ASSERT_FALSE((frame().tournaments().fixtureOnForm() != nullptr));
        }
    }
    EXPECT_GE(onTheForm, kTournamentSides - 1);
    ASSERT_TRUE(tournament->champion().has_value());
    EXPECT_EQ(tournament->results().size(), std::size_t{kTournamentMatches});
    EXPECT_NE(answers.messages.back().find("Champion: "), std::string::npos);
}

// A match saved between overs opens ready to go on, plays out and saves whole. A played match
// is asked about before Ctrl+O, Next Match, New and Open Tournament and the window's close;
// Cancel keeps it, a damaged file is refused after Don't Save and the match stays unsaved.
TEST_F(GameMatch, ASavedMatchGoesOnAndEveryPathAsksBeforeDroppingAPlayedOne) {
    AnswerEverything answers;
    newMatch();
    for (int over = 0; over < 3; ++over)
        playOver();
    const std::string mid = scratch_.file("mid.quo");
    nextFile = mid;
    command(commands::kFileSaveId);
    const std::string midBytes = test::readBytes(mid);
    const InningsFigures live = screen().figures();
    newMatch();
    command(commands::kFileOpenId);
    EXPECT_EQ(answers.saveQuestions, 0) << "nothing was bowled in the new match";
    EXPECT_EQ(frame().GetTitle(), "mid.quo - Quorvel");
    EXPECT_EQ(screen().state(), MatchState::FirstInnings);
    EXPECT_EQ(screen().figures().totalRuns, live.totalRuns);
    EXPECT_EQ(screen().figures().bowlerNames, live.bowlerNames);
    EXPECT_TRUE(enabled(CMatchForm::kScoresheetId));
    EXPECT_NE(screen().log().text().find("2.6\t"), std::string::npos);
    EXPECT_EQ(screen().scoreSheet().card(0).total, live.totalRuns);
    expectFormShowsFigures();
    playOver();
    EXPECT_EQ(frame().GetTitle(), "*mid.quo - Quorvel");

    // Ctrl+O: Cancel keeps all; Don't Save and a damaged file keep the match, still unsaved.
    const Scores inHand = doc().scores;
    const std::string damaged = scratch_.file("damaged.quo");
    std::string bytes = midBytes;
    bytes.replace(200, 4, "\xff\xff\xff\xff");
    test::writeBytes(damaged, bytes);
    nextFile = damaged;
    command(commands::kFileOpenId);
    answers.saveAnswer = wxID_NO;
    command(commands::kFileOpenId);
    EXPECT_EQ(answers.saveQuestions, 2);
    EXPECT_EQ(answers.messages.back(), damaged + " has a bad format.");
    EXPECT_TRUE(encodeScores(doc().scores) == encodeScores(inHand));
    EXPECT_EQ(frame().GetTitle(), "*mid.quo - Quorvel");
    EXPECT_TRUE(test::readBytes(mid) == midBytes);

    // New Tournament, Next Match and Open Tournament: Cancel changes nothing.
    answers.answer("wxSingleChoiceDialog", [](wxDialog& dialog) {
        static_cast<wxSingleChoiceDialog&>(dialog).SetSelection(2); // the first fixture's side
        return wxID_OK;
    });
    answers.saveAnswer = wxID_CANCEL;
    command(commands::kTournamentNewId);
    EXPECT_FALSE(frame().tournament().has_value());
    answers.saveAnswer = wxID_NO;
    command(commands::kTournamentNewId);
    ASSERT_TRUE(frame().tournament().has_value());
    answers.saveAnswer = wxID_CANCEL;
    command(commands::kTournamentNextId);
    EXPECT_FALSE((frame().tournaments().fixtureOnForm() != nullptr));
    const int files = fileQuestions;
    command(commands::kTournamentOpenId);
    EXPECT_EQ(fileQuestions, files);
    EXPECT_FALSE(frame().askBeforeClosing(true));
    EXPECT_EQ(answers.saveQuestions, 7);
    EXPECT_TRUE(encodeScores(doc().scores) == encodeScores(inHand));
    EXPECT_EQ(frame().GetTitle(), "*mid.quo - Quorvel");

    // Closing with Save writes the match where it came from; saved, nothing asks.
    answers.saveAnswer = wxID_YES;
    EXPECT_TRUE(frame().askBeforeClosing(true));
    EXPECT_TRUE(test::readBytes(mid) == encodeScores(inHand));
    EXPECT_EQ(frame().GetTitle(), "mid.quo - Quorvel");
    EXPECT_TRUE(frame().askBeforeClosing(true));
    EXPECT_EQ(answers.saveQuestions, 8);

    // The user's fixture takes the form; the saved tournament says the match is not in it.
    command(commands::kTournamentNextId);
    ASSERT_TRUE((frame().tournaments().fixtureOnForm() != nullptr));
    nextFile = scratch_.file("cup.quot");
    command(commands::kTournamentSaveId);
    EXPECT_EQ(answers.messages.back().find("The tournament is saved without the match on the form"),
              0u);
}

// A name typed without its extension gets the overwrite question for the completed name in the
// match's Save As, Save Tournament and the Charts' Save As; "No" asks for a name again.
TEST_F(GameMatch, ANameCompletedWithItsExtensionIsAskedAboutBeforeReplacing) {
    AnswerEverything answers;
    answers.answer("wxSingleChoiceDialog", [](wxDialog&) { return wxID_OK; });
    command(commands::kTournamentNewId);
    command(commands::kViewChartsId);
    const std::string stem = scratch_.file("t");
    const std::vector<std::pair<std::string, std::function<void()>>> dialogs = {
        {".quo", [this] { doc().SaveAs(); }},
        {".quot", [this] { command(commands::kTournamentSaveId); }},
        {".png", [this] { frame().charts().window()->saveAs(); }},
    };
    for (const auto& [extension, save] : dialogs) {
        SCOPED_TRACE(extension);
        const std::string path = stem + extension;
        test::writeBytes(path, "kept");
        answers.overwriteAnswer = wxID_NO;
        laterFiles = {stem, ""};
        const int before = answers.overwriteQuestions;
        save();
        EXPECT_EQ(answers.overwriteQuestions, before + 1);
        EXPECT_EQ(offeredFiles.back(), path) << "asked again, offering the completed name";
        EXPECT_EQ(test::readBytes(path), "kept");
        answers.overwriteAnswer = wxID_YES;
        laterFiles = {stem};
        save();
        EXPECT_EQ(answers.overwriteQuestions, before + 2);
        EXPECT_NE(test::readBytes(path), "kept");
    }
}

// The tags of an SVG file open and close in order: a minimal well-formedness check.
bool tagsBalance(const std::string& text) {
    std::vector<std::string> open;
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
        const std::string tag = text.substr(at + 1, text.find('>', at) - at - 1);
        if (tag.empty() || tag[0] == '?' || tag[0] == '!' || tag.back() == '/')
            continue;
        const bool closing = tag[0] == '/';
        const std::string name = tag.substr(closing, tag.find_first_of(" \t\r\n") - closing);
        if (!closing)
            open.push_back(name);
        else if (open.empty() || open.back() != name)
            return false;
        else
            open.pop_back();
    }
    return open.empty();
}

TEST_F(GameMatch, ChartsFollowTheMatchAndSaveAsPngAndSvg) {
    // Before a match: the window opens on empty charts.
    command(commands::kViewChartsId);
    CChartsWindow* charts = frame().charts().window();
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->IsShown());
    EXPECT_TRUE(charts->charts().innings[0].empty());
    letDraw(3);

    newMatch();
    AnswerEverything answers;
    for (int over = 1; over <= 3; ++over) {
        playOver();
        ASSERT_EQ(charts->charts().innings[0].overs.size(), static_cast<std::size_t>(over));
        EXPECT_EQ(charts->charts().innings[0].runs(), screen().figures().totalRuns);
        EXPECT_EQ(charts->legendTarget(), "") << "no target in the first innings";
    }
    // The chances after the third over come off the estimating thread while the game waits.
    const auto estimated = [charts] {
        return std::ranges::any_of(charts->charts().chances, [](const ChartChance& c) {
            return c.innings == 0 && c.overs == 3;
        });
    };
    for (int wait = 0; wait < 3000 && !estimated(); ++wait)
        letDraw(1);
    ASSERT_TRUE(estimated());
    EXPECT_TRUE(std::regex_match(std::string(charts->chanceCaption().ToUTF8()),
                                 std::regex("(India|Pakistan) [0-9]{1,3} % ± [0-9]{1,2}")))
        << charts->chanceCaption();
    playMatchOut();
    EXPECT_EQ(charts->charts().innings[1].runs(), screen().figures().totalRuns);
    EXPECT_EQ(charts->legendTarget(), wxString::Format("Target %d", *charts->charts().target));
    letDraw(3);

    // PNG at the drawing area's size, and SVG.
    const wxSize size = charts->canvas()->GetClientSize();
    nextFile = scratch_.file("worm");
    charts->saveAs();
    const std::string png = test::readBytes(scratch_.file("worm.png"));
    wxMemoryInputStream pngStream(png.data(), png.size());
    wxImage image;
    ASSERT_TRUE(image.LoadFile(pngStream, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(image.GetSize(), size);
    ASSERT_TRUE(charts->saveTo(scratch_.file("worm.svg")));
    const std::string svg = test::readBytes(scratch_.file("worm.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_TRUE(tagsBalance(svg));
    answers.messages.clear();
    EXPECT_FALSE(charts->saveTo(scratch_.file("no/such/folder/worm.png")));
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("no/such/folder/worm.png"), std::string::npos);

    // Absurd figures are drawn held within the charts; the window closes from its menu.
    doc().scores.innings[1].overs[49].bowlerId = 1;
    doc().scores.innings[1].overs[49].wideRuns = INT32_MAX;
    doc().scores.innings[1].overs[49].balls[0].batsmanId = 1;
    doc().scores.innings[1].overs[49].balls[0].dismissalKind = Dismissal::Bowled;
    frame().charts().refresh();
    EXPECT_TRUE(charts->saveTo(scratch_.file("absurd.png")));
    wxCommandEvent close(wxEVT_MENU, wxID_CLOSE);
    charts->ProcessWindowEvent(close);
    letDraw(3);
    EXPECT_EQ(frame().charts().window(), nullptr);
}

TEST_F(GameMatch, CancelledNewLeavesTheMatchInHandAsItWas) {
    newMatch();
    AnswerEverything answers;
    playOver();
    const std::string record = encodeScores(doc().scores);
    const wxString title = frame().GetTitle();
    const std::string log = screen().log().text();
    const std::string sheet = screen().scoreSheet().sheetText();
    const bool bowlOver = enabled(CMatchForm::kBowlOverId);
    answers.answer("CSelectTeamsDialog", [](wxDialog&) { return wxID_CANCEL; });
    command(commands::kFileNewId);
    EXPECT_EQ(answers.counts["CSelectTeamsDialog"], 1);
    EXPECT_EQ(answers.counts["CTossDialog"], 0);
    EXPECT_TRUE(encodeScores(doc().scores) == record);
    EXPECT_EQ(frame().GetTitle(), title);
    EXPECT_EQ(screen().log().text(), log);
    EXPECT_EQ(screen().scoreSheet().sheetText(), sheet);
    EXPECT_EQ(enabled(CMatchForm::kBowlOverId), bowlOver);
    expectFormShowsFigures();
    // The match simply goes on.
    playOver();
    EXPECT_EQ(screen().figures().overNumber, 2);
}

TEST_F(GameMatch, ScoresheetSaveWritesTheSheetAndReportsFailures) {
    newMatch();
    AnswerEverything answers;
    playOver();
    const std::string path = scratch_.file("sheet.txt");
    nextFile = scratch_.file("sheet");
    answers.messages.clear();
    answers.answer("CScoreSheetDialog", [&](wxDialog& dialog) {
        auto& sheet = static_cast<CScoreSheetDialog&>(dialog);
        sheet.save();
        EXPECT_FALSE(sheet.saveTo(scratch_.file("no/such/folder/sheet.txt")));
        return wxID_OK;
    });
    press(CMatchForm::kScoresheetId);
    ASSERT_EQ(fileQuestions, 1);
    EXPECT_EQ(offeredFiles.back(), view().screen().scoreSheet().defaultFileName());
    EXPECT_TRUE(test::readBytes(path) == view().screen().scoreSheet().sheetText());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("no/such/folder/sheet.txt"), std::string::npos);
}

TEST_F(GameMatch, AboutPlayersAndHintsOtherThanOne) {
    AnswerEverything answers;
    std::vector<std::string> texts;
    answers.answer("CAboutDialog", [&](wxDialog& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "About Quorvel");
        for (wxWindow* child : dialog.GetChildren())
            texts.push_back(std::string(child->GetLabel().ToUTF8()));
        return wxID_OK;
    });
    command(commands::kAppAboutId);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Version 1.0"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "November 1, 1998"), texts.end());
    command(commands::kViewPlayersId);
    EXPECT_EQ(answers.counts["CPlayerBrowserDialog"], 1);
    // Edit keys do nothing.
    command(commands::kEditCopyId);
    command(commands::kEditUndoId);
    EXPECT_EQ(answers.counts.size(), 2u);

    CQuorvelHint other(7);
    doc().UpdateAllViews(nullptr, &other);
    EXPECT_EQ(screen().state(), MatchState::NoMatch);
    EXPECT_FALSE(enabled(CMatchForm::kBowlOverId));
}

TEST_F(GameMatch, HelpBookAndContextHelpTexts) {
    ASSERT_FALSE(frame().helpBookPath().empty());
    EXPECT_TRUE(frame().helpBookPath().EndsWith("quorvel.hhp"));
    EXPECT_TRUE(frame().help()->AddBook(wxFileName(frame().helpBookPath())));
    // Every page of the book is in its contents, and every page its index names is one of them.
    wxHtmlHelpData book;
    ASSERT_TRUE(book.AddBook(frame().helpBookPath()));
    std::set<wxString> pages;
    for (std::size_t i = 0; i < book.GetContentsArray().size(); ++i)
        pages.insert(book.GetContentsArray()[i].page);
    wxArrayString files;
    wxDir::GetAllFiles(wxFileName(frame().helpBookPath()).GetPath(), &files, "*.html");
    for (const wxString& file : files)
        EXPECT_EQ(pages.count(wxFileName(file).GetFullName()), 1u) << file;
    for (std::size_t i = 0; i < book.GetIndexArray().size(); ++i)
        EXPECT_EQ(pages.count(book.GetIndexArray()[i].page), 1u) << book.GetIndexArray()[i].name;
    EXPECT_FALSE(form().FindWindow(CMatchForm::kBowlOverId)->GetHelpText().empty());
    EXPECT_FALSE(form().FindWindow(CMatchForm::kBowlerRowIds[9][5])->GetHelpText().empty());
    EXPECT_FALSE(form().FindWindow(slider::kFielding)->GetHelpText().empty());

    // Escape closes the help window.
    frame().showHelpContents();
    ASSERT_NE(frame().help()->GetFrame(), nullptr);
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    frame().help()->GetFrame()->ProcessWindowEvent(escape);
    letDraw(3);
    EXPECT_EQ(frame().help()->GetFrame(), nullptr);
}

TEST_F(GameMatch, SettingsKeepTheRecentFilesAndPreviewPages) {
    newMatch();
    AnswerEverything answers;
    const std::string path = scratch_.file("kept.quo");
    nextFile = path;
    command(commands::kFileSaveId);
    shell_.frame->Close(true);
    wxTheApp->ProcessIdle();
    stopQuorvelShell(shell_);
    wxConfigBase* config = wxConfigBase::Get(false);
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->Read("/Recent File List/File1", ""), wxString(path));
    EXPECT_TRUE(config->HasEntry("/Settings/PreviewPages"));
}

} // namespace
} // namespace quorvel::gui

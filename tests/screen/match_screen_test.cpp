#include <gtest/gtest.h>

#include "screen/match_driver.h"

namespace quorvel {
namespace {

using test::MatchRun;

bool anyEnabled(const BowlerButtons& buttons) {
    return std::find(buttons.enabled.begin(), buttons.enabled.end(), true) != buttons.enabled.end();
}

TEST(MatchScreenStates, NoMatchUntilStartedAndNothingAfterTheEnd) {
    MatchRun run(3);
    run.screen.initialUpdate();
    EXPECT_EQ(run.screen.state(), MatchState::NoMatch);
    EXPECT_FALSE(run.screen.scoresheetEnabled());
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    EXPECT_FALSE(anyEnabled(run.screen.bowlerButtons()));
    // Presses while there is no match change nothing.
    run.screen.selectBowlerRow(0);
    run.screen.onBowlOver();
    EXPECT_EQ(run.screen.figures().currentBowlerRow, kNoRow);
    EXPECT_EQ(run.screen.log().text(), "");

    ASSERT_TRUE(run.play());
    EXPECT_EQ(run.screen.state(), MatchState::MatchOver);
    EXPECT_TRUE(run.screen.scoresheetEnabled());
    const InningsFigures after = run.screen.figures();
    const std::string log = run.screen.log().text();
    for (int row = 0; row < kBowlerRows; ++row)
        run.screen.selectBowlerRow(row);
    run.screen.onBowlOver();
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    EXPECT_EQ(run.screen.figures().overNumber, after.overNumber);
    EXPECT_EQ(run.screen.log().text(), log);

    // File > New accepted: the record and figures cleared, nothing can be bowled, the log kept.
    run.screen.beginNewMatch(Scores());
    EXPECT_EQ(run.screen.state(), MatchState::NoMatch);
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    EXPECT_FALSE(anyEnabled(run.screen.bowlerButtons()));
    EXPECT_EQ(run.screen.figures().totalRuns, 0);
    EXPECT_EQ(run.screen.figures().target, 0);
    EXPECT_EQ(run.sides.scores.teams[0].playerAt(0), kNoPlayer);
    EXPECT_EQ(run.screen.log().text(), log);
}

TEST(MatchScreenSetUp, FirstInningsWithTheUserBatting) {
    MatchRun run(5); // battingFirst 0: the user's left side bats, the computer fields
    run.screen.startMatch();
    const InningsFigures& f = run.screen.figures();
    EXPECT_EQ(run.screen.state(), MatchState::FirstInnings);
    EXPECT_EQ(f.battingTeamName, "Lefts");
    EXPECT_EQ(f.bowlingTeamName, "Rights");
    EXPECT_FALSE(run.screen.chaseControlsShown());
    EXPECT_EQ(f.bowlerNames[0], "RGarnet, Al");
    EXPECT_EQ(f.bowlerNames[5], "RLapis, Al");
    EXPECT_EQ(f.bowlerNames[6], "");
    const BowlerButtons& buttons = run.screen.bowlerButtons();
    for (int row = 0; row < kBowlerRows; ++row)
        EXPECT_EQ(buttons.shown[row], row < 6) << row;

    // The openers come from the user's list, all eleven offered for the first.
    EXPECT_EQ(run.user.pickedSlots, (std::vector<int>{0, 1}));
    EXPECT_EQ(run.user.lastCandidates.size(), 10u);
    EXPECT_NE(f.batsmanIds[0], kNoPlayer);
    EXPECT_NE(f.batsmanIds[1], kNoPlayer);
    EXPECT_NE(f.batsmanIds[0], f.batsmanIds[1]);

    // The user moves the running and batting sliders; the computer's are his to set.
    EXPECT_TRUE(run.screen.sliderState(slider::kRunning).enabled);
    EXPECT_TRUE(run.screen.sliderState(slider::kBattingSlot0).enabled);
    EXPECT_FALSE(run.screen.sliderState(slider::kBowling).enabled);
    EXPECT_FALSE(run.screen.moveSlider(slider::kFielding, 0));
    EXPECT_TRUE(run.screen.moveSlider(slider::kRunning, 9)); // held within 0..4
    EXPECT_EQ(run.screen.sliderState(slider::kRunning).position, 4);
    EXPECT_FALSE(run.screen.moveSlider(1234, 1));

    // The computer fields: its opening bowler chosen, the other rows disabled, its sliders
    // drawn for the first overs.
    EXPECT_TRUE(run.screen.bowlOverEnabled());
    EXPECT_EQ(f.currentBowlerRow, 0);
    EXPECT_TRUE(buttons.checked[0]);
    for (int row = 1; row < kBowlerRows; ++row)
        EXPECT_FALSE(buttons.enabled[row]);
    EXPECT_GE(run.screen.sliderState(slider::kBowling).position, 3);
    EXPECT_GE(run.screen.sliderState(slider::kFielding).position, 3);
    run.screen.selectBowlerRow(2); // refused: disabled
    EXPECT_EQ(f.currentBowlerRow, 0);
}

TEST(MatchScreenSetUp, FirstInningsWithTheComputerBatting) {
    MatchRun run(5);
    run.sides.scores.battingFirst = 1;
    run.screen.startMatch();
    const InningsFigures& f = run.screen.figures();
    // The computer sends in its openers in batting order and announces them.
    EXPECT_EQ(f.batsmanNames[0], "ROpal, Al");
    EXPECT_EQ(f.batsmanNames[1], "ROnyx, Al");
    EXPECT_EQ(run.user.announcements,
              (std::vector<std::string>{"The computer has selected ROpal, Al",
                                        "The computer has selected ROnyx, Al"}));
    EXPECT_FALSE(run.screen.sliderState(slider::kRunning).enabled);
    EXPECT_FALSE(run.screen.sliderState(slider::kBattingSlot1).enabled);
    EXPECT_TRUE(run.screen.sliderState(slider::kBowling).enabled);
    EXPECT_EQ(run.screen.sliderState(slider::kBowling).position, 2);

    // The user fields: in overs 0 and 1 a ">" must be pressed before "Bowl Over".
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    run.screen.onBowlOver(); // refused
    EXPECT_EQ(f.oversFigure, 0);
    run.screen.selectBowlerRow(1);
    EXPECT_TRUE(run.screen.bowlOverEnabled());
    run.screen.selectBowlerRow(3); // the user may change his mind
    EXPECT_EQ(f.currentBowlerRow, 3);
    EXPECT_TRUE(run.screen.bowlerButtons().checked[3]);
    EXPECT_FALSE(run.screen.bowlerButtons().checked[1]);
    run.screen.onBowlOver();
    ASSERT_EQ(f.overNumber, 1);
    // The bowler of the over just bowled may not bowl the next.
    EXPECT_FALSE(run.screen.bowlerButtons().enabled[3]);
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    run.screen.selectBowlerRow(3);
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    run.screen.selectBowlerRow(0);
    run.screen.onBowlOver();
    ASSERT_EQ(f.overNumber, 2);
    // From over 2 the bowler of the over before last comes back at his end.
    EXPECT_TRUE(run.screen.bowlOverEnabled());
    EXPECT_EQ(f.currentBowlerRow, 3);
    // The computer's batting sliders stayed at 2 throughout.
    EXPECT_EQ(run.screen.sliderState(slider::kRunning).position, 2);
    EXPECT_EQ(run.screen.sliderState(slider::kBattingSlot0).position, 2);
}

TEST(MatchScreenBatsmen, ANewBatsmansSliderIsBackInTheMiddle) {
    // The user bats; he puts both batting sliders at 4 before each over.
    MatchRun run(21);
    run.screen.startMatch();
    const InningsFigures& f = run.screen.figures();
    bool checked = false;
    while (!checked && run.screen.state() == MatchState::FirstInnings) {
        ASSERT_TRUE(run.screen.moveSlider(slider::kBattingSlot0, 4));
        ASSERT_TRUE(run.screen.moveSlider(slider::kBattingSlot1, 4));
        const int wickets = f.totalWickets;
        const std::size_t picks = run.user.pickedSlots.size();
        run.screen.onBowlOver();
        if (f.totalWickets == wickets + 1 && run.screen.state() == MatchState::FirstInnings) {
            ASSERT_EQ(run.user.pickedSlots.size(), picks + 1);
            const int slot = run.user.pickedSlots.back();
            const int id = slot == 0 ? slider::kBattingSlot0 : slider::kBattingSlot1;
            const int other = slot == 0 ? slider::kBattingSlot1 : slider::kBattingSlot0;
            EXPECT_EQ(run.screen.sliderState(id).position, 2);
            EXPECT_EQ(run.screen.sliderState(other).position, 4);
            // The list offered held everyone still to come: not the two at the crease
            // (the dismissed one included) nor anyone out before.
            EXPECT_EQ(run.user.lastCandidates.size(), static_cast<std::size_t>(9 - wickets));
            checked = true;
        }
    }
    EXPECT_TRUE(checked);
}

TEST(MatchScreenSecondInnings, ChaseControlsTargetAndSides) {
    MatchRun run(13);
    run.screen.startMatch();
    while (run.screen.state() == MatchState::FirstInnings) {
        run.chooseForUser();
        run.screen.onBowlOver();
    }
    ASSERT_EQ(run.screen.state(), MatchState::SecondInnings);
    const InningsFigures& f = run.screen.figures();
    const InningsFigures& first = run.user.inningsEnd.at(0);
    EXPECT_TRUE(run.screen.chaseControlsShown());
    EXPECT_EQ(f.inningsIndex, 1);
    EXPECT_EQ(f.target, first.totalRuns + 1);
    EXPECT_EQ(f.progressRange, f.target);
    EXPECT_EQ(f.battingTeamName, first.bowlingTeamName);
    EXPECT_EQ(f.bowlingTeamName, first.battingTeamName);
    EXPECT_EQ(f.totalRuns, 0);
    EXPECT_EQ(f.overNumber, 0);
    EXPECT_EQ(f.lastBowlerRow, kNoRow);
    // The left side (the user's) now fields: its rows, its sliders.
    EXPECT_EQ(f.bowlerNames[0], "LGarnet, Al");
    EXPECT_TRUE(run.screen.sliderState(slider::kFielding).enabled);
    EXPECT_FALSE(run.screen.sliderState(slider::kRunning).enabled);
    EXPECT_EQ(run.user.messages.back(), run.screen.flow().inningsLine(0));
}

} // namespace
} // namespace quorvel

// One delivery at a time, with a scripted sequence of draws: the outcome, what it writes into the
// match record and the running figures, and its line of commentary.

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "engine/match_engine.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_log.h"
#include "reports/scoresheet.h"
#include "screen/report_listener.h"
#include "support/fake_host.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

// Hands out the draws a test scripts, and fails the test when the engine asks for one more.
class ScriptedDraws : public RandomSource {
public:
    int draw() override {
        ++taken;
        if (draws.empty()) {
            ADD_FAILURE() << "the engine took an unscripted draw";
            return 0;
        }
        const int next = draws.front();
        draws.pop_front();
        return next;
    }

    std::deque<int> draws;
    int taken = 0;
};

// Ids 0..10 bat ("Bat0" .. "Bat10", first names B0.. so the initial is 'B'); ids 11..21 field:
// 11 is the pace bowler "Quick, Alan" (strike rate 40, economy 4.5), 21 the keeper "Gloves, Kim";
// 22 "Spare, Sam" fields nowhere until a test puts him in. Every batsman averages 30, so with the
// sliders at 2 in the middle overs the dismissal weights are 10, 20, 30, 45, 65 and 5630 (T 5800)
// and the run weights 75, 25, 10, 15, 3 and 127 (T 255).
PlayerFile invented() {
    PlayerFile file;
    for (int id = 0; id <= 10; ++id) {
        Player batsman = test::makePlayer(id, "Bat" + std::to_string(id), "B" + std::to_string(id));
        batsman.battingAverage = 30;
        file.players.push_back(batsman);
    }
    Player quick = test::makePlayer(11, "Quick", "Alan", 2, 0, bowling::kFast);
    quick.bowlingStrikeRate = 40;
    quick.economyRate = 4.5;
    file.players.push_back(quick);
    for (int id = 12; id <= 20; ++id)
        file.players.push_back(test::makePlayer(id, "Field" + std::to_string(id), "F", 2));
    file.players.push_back(test::makePlayer(21, "Gloves", "Kim", 2, 0, 0, keeper::kWicketKeeper));
    file.players.push_back(test::makePlayer(22, "Spare", "Sam", 2));
    return file;
}

class Delivery : public ::testing::Test {
protected:
    Delivery() : sheet(scores, database), host(database) {
        database.assign(invented());
        scores.reset(0);
        scores.battingFirst = 0;
        for (int place = 0; place < kTeamSize; ++place) {
            scores.teams[0].setPlayer(place, place, database);
            scores.teams[1].setPlayer(place, 11 + place, database);
        }
        figures.battingTeamName = "Hosts";
        figures.bowlingTeamName = "Visitors";
        figures.bowlerNames[0] = "Quick, Alan";
        figures.currentBowlerRow = 0;
        figures.batsmanIds = {0, 1};
        figures.batsmanNames = {"Bat0, B0", "Bat1, B1"};
        figures.overNumber = 20;
        figures.oversFigure = 20;
        scores.innings[0].overs[20].bowlerId = 11;
        host.nextBatsmen = {2, 3, 4, 5, 6, 7, 8, 9, 10};
    }

    // Bowls one delivery from exactly these draws.
    DeliveryEnd bowl(std::initializer_list<int> draws) {
        random.draws.assign(draws);
        random.taken = 0;
        const DeliveryEnd end = engine.playDelivery();
        EXPECT_TRUE(random.draws.empty()) << random.draws.size() << " scripted draws left";
        return end;
    }
    // The over loop's step to the next slot.
    DeliveryEnd bowlAndStep(std::initializer_list<int> draws) {
        const DeliveryEnd end = bowl(draws);
        ++figures.ballIndex;
        return end;
    }

    const Ball& slot(int index) const { return scores.innings[0].overs[20].balls[index]; }
    const Over& over() const { return scores.innings[0].overs[20]; }

    // Draws for the outcomes with the weights above (a pace bowler: divisor 50).
    static constexpr int kLegal = 2, kWideDraw = 50, kNoBallDraw = 51;
    static constexpr int kStaysIn = 200, kStumpedDraw = 5, kRunOutDraw = 15, kLbwDraw = 45,
                         kBowledDraw = 70, kCaughtDraw = 120;
    static constexpr int kNoExtraRuns = 100;
    static constexpr int kOne = 0, kTwo = 80, kThree = 105, kFour = 115, kSix = 126, kDot = 200;

    PlayerDatabase database;
    Scores scores;
    InningsFigures figures;
    ScoreSheet sheet;
    MatchLog log;
    ReportListener report{sheet, log};
    test::FakeHost host;
    ScriptedDraws random;
    MatchEngine engine{scores, database, figures, report, host, random};
};

TEST_F(Delivery, DotBallFillsTheSlotAndLogsZeroRun) {
    EXPECT_EQ(bowl({kLegal, kStaysIn, 3, kNoExtraRuns, kDot}), DeliveryEnd::Legal);
    EXPECT_EQ(random.taken, 5);
    const Ball& ball = slot(0);
    EXPECT_EQ(ball.batsmanId, 0);
    EXPECT_EQ(ball.extraKind, ExtraKind::Legal);
    EXPECT_EQ(ball.dismissalKind, Dismissal::NotOut);
    EXPECT_EQ(ball.fielderId,
              14); // place 3 of the fielding side: a fielder is named for every ball
    EXPECT_EQ(ball.runKind, RunKind::Taken);
    EXPECT_EQ(ball.runs, 0);
    EXPECT_EQ(log.text(), "20.1\tA Quick to B Bat0: 0 run\r\n");
    EXPECT_DOUBLE_EQ(figures.oversFigure, 20.1);
    EXPECT_DOUBLE_EQ(figures.bowlerOvers[0], 0.1);
    EXPECT_EQ(figures.batsmanBalls[0], 1);
    EXPECT_EQ(figures.strikerSlot, 0);
    EXPECT_EQ(figures.ballIndex, 0); // the over loop moves on, not the delivery
    EXPECT_EQ(host.sliderReads, 1);
}

TEST_F(Delivery, RunsOffTheBatAndTheirWords) {
    struct Case {
        int draw;
        int runs;
        const char* text;
        int strikerAfter;
    };
    const Case cases[] = {
        {kOne, 1, "1 run", 1},      {kTwo, 2, "2 runs", 1}, {kThree, 3, "3 runs", 0},
        {kFour, 4, "Boundary!", 0}, {kSix, 6, "Sixer!", 0}, {kDot, 0, "0 run", 0},
    };
    int totalRuns = 0;
    std::vector<int> batsmanRuns{0, 0};
    std::string expectedLog;
    int ball = 0;
    for (const Case& c : cases) {
        const int striker = figures.strikerSlot;
        bowlAndStep({kLegal, kStaysIn, 0, kNoExtraRuns, c.draw});
        totalRuns += c.runs;
        batsmanRuns[striker] += c.runs;
        ++ball;
        char overs[16];
        std::snprintf(overs, sizeof overs, "20.%d", ball);
        expectedLog += std::string(overs) + "\tA Quick to B Bat" + std::to_string(striker) + ": " +
                       c.text + "\r\n";
        EXPECT_EQ(slot(ball - 1).runs, c.runs);
        EXPECT_EQ(slot(ball - 1).runKind,
                  c.runs == 4 || c.runs == 6 ? RunKind::Boundary : RunKind::Taken);
        EXPECT_EQ(figures.strikerSlot, c.strikerAfter) << c.text;
    }
    EXPECT_EQ(log.text(), expectedLog);
    EXPECT_EQ(figures.totalRuns, totalRuns);
    EXPECT_EQ(figures.bowlerRuns[0], totalRuns);
    EXPECT_EQ(figures.batsmanRuns[0], batsmanRuns[0]);
    EXPECT_EQ(figures.batsmanRuns[1], batsmanRuns[1]);
    EXPECT_EQ(figures.batsmanBalls[0] + figures.batsmanBalls[1], 6);
    EXPECT_DOUBLE_EQ(figures.runRate, totalRuns / figures.oversFigure);
    EXPECT_DOUBLE_EQ(figures.batsmanStrikeRates[0],
                     batsmanRuns[0] * 100.0 / figures.batsmanBalls[0]);
    EXPECT_EQ(overRuns(over()), totalRuns);
}

TEST_F(Delivery, ByesAndLegByesGoToTheTotalOnly) {
    // q 0..3 byes, 4..7 leg-byes; 4 runs when the next draw mod 10 is 0, else 1.
    bowlAndStep({kLegal, kStaysIn, 0, 3, 7});
    EXPECT_EQ(slot(0).runKind, RunKind::Byes);
    EXPECT_EQ(slot(0).runs, 1);
    EXPECT_EQ(figures.strikerSlot, 1); // a single bye changes strike
    bowlAndStep({kLegal, kStaysIn, 0, 304, 10});
    EXPECT_EQ(slot(1).runKind, RunKind::LegByes);
    EXPECT_EQ(slot(1).runs, 4);
    EXPECT_EQ(figures.strikerSlot, 1); // four leg-byes do not
    bowlAndStep({kLegal, kStaysIn, 0, 7, 9});
    EXPECT_EQ(slot(2).runKind, RunKind::LegByes);
    EXPECT_EQ(slot(2).runs, 1);
    EXPECT_EQ(figures.strikerSlot, 0);

    EXPECT_EQ(log.text(), "20.1\tA Quick to B Bat0: Bye, 1 run\r\n"
                          "20.2\tA Quick to B Bat1: Legbye, 4 runs\r\n"
                          "20.3\tA Quick to B Bat1: Legbye, 1 run\r\n");
    EXPECT_EQ(figures.totalRuns, 6);
    EXPECT_EQ(figures.batsmanRuns[0] + figures.batsmanRuns[1], 0);
    EXPECT_EQ(figures.bowlerRuns[0], 0);
    EXPECT_EQ(figures.batsmanBalls[0], 1);
    EXPECT_EQ(figures.batsmanBalls[1], 2);
    EXPECT_DOUBLE_EQ(figures.bowlerOvers[0], 0.3);
}

TEST_F(Delivery, WideAsTheFirstBallOfTheInningsIsRebowledInTheSameSlot) {
    figures.overNumber = 0;
    figures.oversFigure = 0;
    scores.innings[0].overs[0].bowlerId = 11;
    // A wide takes the extras draw and the fielder draw, nothing else.
    EXPECT_EQ(bowl({kWideDraw, 6}), DeliveryEnd::Extra);
    const Ball& first = scores.innings[0].overs[0].balls[0];
    EXPECT_EQ(first.extraKind, ExtraKind::Wide);
    EXPECT_EQ(first.dismissalKind, Dismissal::NotOut);
    EXPECT_EQ(first.fielderId, 17);
    EXPECT_EQ(first.runs, 1);
    EXPECT_EQ(figures.oversFigure, 0.0);
    EXPECT_EQ(figures.runRate, 0.0); // the overs figure is 0: no division
    EXPECT_EQ(figures.totalRuns, 1);
    EXPECT_EQ(figures.ballIndex, -1);
    EXPECT_EQ(scores.innings[0].overs[0].wideRuns, 1);
    EXPECT_EQ(figures.bowlerRuns[0], 1);
    EXPECT_EQ(figures.bowlerOvers[0], 0.0);
    EXPECT_EQ(figures.batsmanBalls[0], 0);
    EXPECT_EQ(figures.strikerSlot, 0);

    ++figures.ballIndex; // the over loop's step: the same slot again
    EXPECT_EQ(bowl({kLegal, kStaysIn, 0, kNoExtraRuns, kDot}), DeliveryEnd::Legal);
    EXPECT_EQ(first.extraKind, ExtraKind::Legal);
    EXPECT_EQ(first.runs, 0);
    EXPECT_EQ(log.text(), "0.1\tA Quick to B Bat0: Wide Ball, 1 run\r\n"
                          "0.1\tA Quick to B Bat0: 0 run\r\n");
    EXPECT_DOUBLE_EQ(figures.oversFigure, 0.1);
    EXPECT_EQ(overRuns(scores.innings[0].overs[0]), 1);
    EXPECT_DOUBLE_EQ(figures.runRate, 10.0);
}

TEST_F(Delivery, TheScoresheetIsHandedEveryDeliveryWidesIncluded) {
    bowlAndStep({kWideDraw, 0});
    bowlAndStep({kLegal, kStaysIn, 0, kNoExtraRuns, kFour});
    bowlAndStep({kLegal, kCaughtDraw, 0});
    const InningsCard& card = sheet.card(0);
    EXPECT_EQ(card.extraWides, 1);
    EXPECT_EQ(card.total, 5);
    EXPECT_EQ(card.wicketsDown, 1);
    EXPECT_EQ(card.batting[0].playerId, 0);
    EXPECT_EQ(card.batting[0].runs, 4);
    EXPECT_EQ(card.batting[0].fours, 1);
    EXPECT_EQ(card.batting[0].howOut, Dismissal::Caught);
}

TEST_F(Delivery, NoBallCountsOneRunToTheBowlerAndTheOver) {
    figures.ballIndex = 3;
    EXPECT_EQ(bowl({kNoBallDraw, 0}), DeliveryEnd::Extra);
    EXPECT_EQ(slot(3).extraKind, ExtraKind::NoBall);
    EXPECT_EQ(over().noBallRuns, 1);
    EXPECT_EQ(over().wideRuns, 0);
    EXPECT_EQ(figures.ballIndex, 2);
    EXPECT_EQ(figures.bowlerRuns[0], 1);
    EXPECT_DOUBLE_EQ(figures.oversFigure, 20.0);
    EXPECT_EQ(log.text(), "20.1\tA Quick to B Bat0: No Ball, 1 run\r\n");
}

TEST_F(Delivery, CaughtShowsTheLineLogsItAndBringsInTheNextBatsman) {
    bowlAndStep({kLegal, kStaysIn, 0, kNoExtraRuns, kFour});
    // The striker's slider at 4 (sums 20, 40, 70, 135, 220): 150 is a catch.
    host.sliders.battingSlot0 = 4;
    EXPECT_EQ(bowl({kLegal, 150, 3}), DeliveryEnd::Legal);
    EXPECT_EQ(random.taken, 3); // a wicket takes no run draws
    const Ball& ball = slot(1);
    EXPECT_EQ(ball.dismissalKind, Dismissal::Caught);
    EXPECT_EQ(ball.fielderId, 14);
    EXPECT_EQ(ball.runs, 0);
    const std::string line = "B Bat0\tc F Field14\tb A Quick\t4";
    ASSERT_EQ(host.messages, std::vector<std::string>{line});
    EXPECT_EQ(log.text(), "20.1\tA Quick to B Bat0: Boundary!\r\n"
                          "20.2\tA Quick to B Bat0: OUT! " +
                              line + "\r\n");
    EXPECT_EQ(figures.totalWickets, 1);
    EXPECT_EQ(figures.bowlerWickets[0], 1);
    // The new batsman takes the dismissed striker's slot, from nothing, and faces next.
    EXPECT_EQ(host.slotsAsked, std::vector<int>{0});
    EXPECT_EQ(figures.batsmanIds[0], 2);
    EXPECT_EQ(figures.batsmanNames[0], "Bat2, B2");
    EXPECT_EQ(figures.batsmanRuns[0], 0);
    EXPECT_EQ(figures.batsmanBalls[0], 0);
    EXPECT_EQ(figures.batsmanStrikeRates[0], 0.0);
    EXPECT_EQ(figures.strikerSlot, 0);
    EXPECT_EQ(host.sliders.battingSlot0, 2);
    EXPECT_DOUBLE_EQ(figures.oversFigure, 20.2);
    EXPECT_DOUBLE_EQ(figures.bowlerOvers[0], 0.2);
}

TEST_F(Delivery, CaughtByTheBowlerNamesHimTwice) {
    bowl({kLegal, kCaughtDraw, 0});
    EXPECT_EQ(host.messages.at(0), "B Bat0\tc A Quick\tb A Quick\t0");
}

TEST_F(Delivery, BowledAndLbwLines) {
    bowlAndStep({kLegal, kBowledDraw, 5});
    EXPECT_EQ(slot(0).dismissalKind, Dismissal::Bowled);
    bowlAndStep({kLegal, kLbwDraw, 5});
    EXPECT_EQ(slot(1).dismissalKind, Dismissal::Lbw);
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{"B Bat0\tb A Quick\t0", "B Bat2\tlbw A Quick\t0"}));
    EXPECT_EQ(figures.totalWickets, 2);
    EXPECT_EQ(figures.bowlerWickets[0], 2);
}

TEST_F(Delivery, RunOutIsNotCreditedToTheBowlerYetNamesHim) {
    figures.strikerSlot = 1;
    figures.batsmanRuns[1] = 17;
    bowl({kLegal, kRunOutDraw, 9});
    EXPECT_EQ(slot(0).dismissalKind, Dismissal::RunOut);
    EXPECT_EQ(host.messages.at(0), "B Bat1\trun out (F Field20)\tb A Quick\t17");
    EXPECT_EQ(figures.totalWickets, 1);
    EXPECT_EQ(figures.bowlerWickets[0], 0);
    EXPECT_EQ(host.slotsAsked, std::vector<int>{1});
    EXPECT_EQ(figures.batsmanIds[1], 2);
    EXPECT_EQ(figures.strikerSlot, 1);
    EXPECT_EQ(host.battingSliderSets, (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST_F(Delivery, StumpingNamesTheKeeperWithoutAFielderDraw) {
    bowl({kLegal, kStumpedDraw});
    EXPECT_EQ(random.taken, 2);
    EXPECT_EQ(slot(0).dismissalKind, Dismissal::Stumped);
    EXPECT_EQ(slot(0).fielderId, 21);
    EXPECT_EQ(host.messages.at(0), "B Bat0\tst (K Gloves)\tb A Quick\t0");
    EXPECT_EQ(figures.bowlerWickets[0], 1);
}

TEST_F(Delivery, StumpingWithoutAKeeperNamesAFielderDrawnAtRandom) {
    scores.teams[1].setPlayer(10, 22, database);
    bowl({kLegal, kStumpedDraw, 10});
    EXPECT_EQ(random.taken, 3);
    EXPECT_EQ(slot(0).fielderId, 22);
    EXPECT_EQ(host.messages.at(0), "B Bat0\tst (S Spare)\tb A Quick\t0");
}

TEST_F(Delivery, TheFirstKeeperInTeamOrderKeeps) {
    Player second = test::makePlayer(23, "Mitts", "Max", 2, 0, 0, keeper::kWicketKeeper);
    PlayerFile file = invented();
    file.players.push_back(second);
    database.assign(file);
    scores.teams[1].setPlayer(4, 23, database);
    bowl({kLegal, kStumpedDraw});
    EXPECT_EQ(slot(0).fielderId, 23);
}

TEST_F(Delivery, TheTenthWicketCallsNoBatsman) {
    figures.totalWickets = 9;
    figures.totalRuns = 150;
    EXPECT_EQ(bowl({kLegal, kBowledDraw, 0}), DeliveryEnd::TenthWicket);
    EXPECT_EQ(figures.totalWickets, 10);
    EXPECT_TRUE(host.slotsAsked.empty());
    EXPECT_EQ(figures.batsmanIds[0], 0);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(log.text(), "20.1\tA Quick to B Bat0: OUT! B Bat0\tb A Quick\t0\r\n");
    EXPECT_DOUBLE_EQ(figures.runRate, 150 / 20.1); // the rates are still recomputed
}

TEST_F(Delivery, WicketsNeverComeOffWidesOrNoBalls) {
    Ball wide;
    wide.extraKind = ExtraKind::Wide;
    random.draws = {};
    EXPECT_EQ(engine.decideDismissal(wide), Dismissal::NotOut);
    EXPECT_EQ(random.taken, 0);
    EXPECT_EQ(engine.decideRuns(wide), (RunsOutcome{RunKind::Taken, 1}));
    Ball out;
    out.dismissalKind = Dismissal::Bowled;
    EXPECT_EQ(engine.decideRuns(out), (RunsOutcome{RunKind::Taken, 0}));
    EXPECT_EQ(random.taken, 0);
}

TEST_F(Delivery, DismissalWeightsAtOrBelowZeroMeanNotOutWithoutADraw) {
    PlayerFile file = invented();
    file.players[0].battingAverage = -100; // 8 * u * |u| = -105800
    database.assign(file);
    Ball legal;
    EXPECT_EQ(engine.decideDismissal(legal), Dismissal::NotOut);
    EXPECT_EQ(random.taken, 0);
}

TEST_F(Delivery, RunWeightsAtOrBelowZeroGiveADotBallAfterTheByesDraw) {
    // Last overs, every slider at 0, economy 12 and a striker averaging 150: the run weights are
    // 35, 9, 0, 6, 1 and -363.
    PlayerFile file = invented();
    file.players[0].battingAverage = 150;
    file.players[11].economyRate = 12;
    database.assign(file);
    host.sliders = {0, 0, 0, 0, 0};
    figures.overNumber = 45;
    EXPECT_EQ(runWeights(Aggression{0, 0, 0, 0}, Phase::LastOvers, 12, 150),
              (Weights{35, 9, 0, 6, 1, -363}));
    Ball legal;
    random.draws = {kNoExtraRuns};
    EXPECT_EQ(engine.decideRuns(legal), (RunsOutcome{RunKind::Taken, 0}));
    EXPECT_EQ(random.taken, 1);
    random.draws = {2, 0};
    EXPECT_EQ(engine.decideRuns(legal), (RunsOutcome{RunKind::Byes, 4}));
    EXPECT_EQ(random.taken, 3);
}

TEST_F(Delivery, TheSlidersOfTheStrikersSlotAreRead) {
    // Slot 1's batting slider at 4: S = 4 raises bowled to 5*8 + 20 + 5 = 65; sums 10, 30, 60, 125.
    host.sliders.battingSlot1 = 4;
    figures.strikerSlot = 1;
    Ball legal;
    random.draws = {120};
    // With S 4 the stumped weight is 20 and run out 20: 120 is caught only if sums moved.
    const Weights weights = dismissalWeights(Aggression{2, 2, 2, 4}, bowling::kFast, 40, 30);
    EXPECT_EQ(kDismissalKindByWeight[pickWeighted(weights, 120)], Dismissal::Bowled);
    EXPECT_EQ(engine.decideDismissal(legal), Dismissal::Bowled);
}

TEST_F(Delivery, ExtrasDivisorFollowsTheBowlerLookedUpByDisplayName) {
    figures.bowlerNames[0] = "Gloves, Kim"; // no style: 50
    random.draws = {100};
    EXPECT_EQ(engine.decideExtra(), ExtraKind::Wide);
    PlayerFile file = invented();
    file.players[21].bowlingFlags = bowling::kLegSpin;
    database.assign(file);
    random.draws = {100, 201, 202};
    EXPECT_EQ(engine.decideExtra(), ExtraKind::Legal);
    EXPECT_EQ(engine.decideExtra(), ExtraKind::NoBall);
    EXPECT_EQ(engine.decideExtra(), ExtraKind::Legal);
}

TEST_F(Delivery, UpdateRatesInTheSecondInnings) {
    figures.inningsIndex = 1;
    figures.target = 201;
    figures.totalRuns = 101;
    figures.oversFigure = 30;
    figures.batsmanRuns = {40, 0};
    figures.batsmanBalls = {50, 0};
    engine.updateRates();
    EXPECT_DOUBLE_EQ(figures.runRate, 101 / 30.0);
    EXPECT_DOUBLE_EQ(figures.requiredRate, 5.0);
    EXPECT_EQ(figures.progressPosition, 101);
    EXPECT_DOUBLE_EQ(figures.batsmanStrikeRates[0], 80.0);
    EXPECT_EQ(figures.batsmanStrikeRates[1], 0.0);
    // The overs figure is divided as the decimal it is: 12.3 counts as 12.3.
    figures.oversFigure = 12.3;
    engine.updateRates();
    EXPECT_DOUBLE_EQ(figures.requiredRate, 100 / (50 - 12.3));
    // At exactly 50 overs the required rate is left as it was.
    figures.oversFigure = 50;
    figures.totalRuns = 150;
    engine.updateRates();
    EXPECT_DOUBLE_EQ(figures.requiredRate, 100 / (50 - 12.3));
    EXPECT_EQ(figures.progressPosition, 150);
}

TEST_F(Delivery, TheFirstInningsHasNoChase) {
    figures.totalRuns = 100;
    engine.updateRates();
    EXPECT_EQ(figures.requiredRate, 0.0);
    EXPECT_EQ(figures.progressPosition, 0);
}

TEST_F(Delivery, SwapStrikeAndBringInBatsman) {
    engine.swapStrike();
    EXPECT_EQ(figures.strikerSlot, 1);
    engine.swapStrike();
    EXPECT_EQ(figures.strikerSlot, 0);
    figures.batsmanRuns[1] = 9;
    figures.batsmanBalls[1] = 9;
    figures.batsmanStrikeRates[1] = 100;
    host.sliders.battingSlot1 = 0;
    engine.bringInBatsman(1);
    EXPECT_EQ(figures.batsmanIds[1], 2);
    EXPECT_EQ(figures.batsmanNames[1], "Bat2, B2");
    EXPECT_EQ(figures.batsmanRuns[1], 0);
    EXPECT_EQ(figures.batsmanBalls[1], 0);
    EXPECT_EQ(figures.batsmanStrikeRates[1], 0.0);
    EXPECT_EQ(host.sliders.battingSlot1, 2);
    engine.bringInBatsman(2); // no such slot: nothing happens
    EXPECT_EQ(host.slotsAsked, std::vector<int>{1});
}

TEST_F(Delivery, AnEmptyFirstNamePrintsABlankInitial) {
    PlayerFile file = invented();
    file.players[0].firstName.clear();
    database.assign(file);
    bowl({kLegal, kBowledDraw, 0});
    EXPECT_EQ(log.text(), "20.1\tA Quick to   Bat0: OUT!   Bat0\tb A Quick\t0\r\n");
}

TEST_F(Delivery, ACorruptStateWritesNothingOutOfBounds) {
    figures.currentBowlerRow = -1;
    figures.strikerSlot = 7;
    figures.overNumber = 64;
    figures.ballIndex = 9;
    figures.inningsIndex = 3;
    Scores before = scores;
    // No bowler: divisor 50 and figures of 0; no striker: S is read from slot 0's slider.
    bowl({kLegal, kStaysIn, 0, kNoExtraRuns, kOne});
    EXPECT_EQ(log.text(), "20.1\t   to   : 1 run\r\n");
    EXPECT_EQ(encodeScores(scores), encodeScores(before));
    EXPECT_EQ(figures.totalRuns, 1);
    bowl({kLegal, kBowledDraw, 0});
    EXPECT_EQ(host.messages.at(0), "  \tb   \t0");
    EXPECT_EQ(figures.totalWickets, 1);
}

TEST(DismissalLine, NotOutHasNoLine) {
    EXPECT_EQ(dismissalLine(Dismissal::NotOut, nullptr, nullptr, nullptr, 5), "");
}

} // namespace
} // namespace quorvel

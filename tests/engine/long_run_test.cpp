// Many seeded innings bowled through the engine with a plain over loop: after every delivery the
// running figures must agree with the ball-by-ball record, the commentary and the draws taken.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
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

class CountingDraws : public RandomSource {
public:
    explicit CountingDraws(RandomSource& source) : source_(source) {}
    int draw() override {
        ++taken;
        return source_.draw();
    }
    long taken = 0;

private:
    RandomSource& source_;
};

// Two invented sides of eleven: averages from 48 down to 4, five bowlers of every style each.
// Side 0 has a keeper (place 5); side 1 has none.
PlayerFile twoSides() {
    const int styles[] = {bowling::kFast, bowling::kFastMedium, bowling::kMedium, bowling::kOffSpin,
                          bowling::kLegSpin};
    PlayerFile file;
    for (int id = 0; id < 2 * kTeamSize; ++id) {
        const int place = id % kTeamSize;
        Player player =
            test::makePlayer(id, "Surname" + std::to_string(id), std::string(1, 'A' + place));
        player.battingAverage = 48 - 4.4 * place + (id >= kTeamSize ? 1.5 : 0);
        if (place >= 6) {
            player.bowlingFlags = styles[(place + id / kTeamSize) % 5];
            player.bowlingStrikeRate = 24 + 9 * (place - 6);
            player.economyRate = 3.6 + 0.45 * (place - 6);
        }
        if (id == 5)
            player.keeperFlags = keeper::kWicketKeeper;
        file.players.push_back(player);
    }
    return file;
}

int legalBallsOf(double oversFigure) {
    const long tenths = std::lround(oversFigure * 10);
    return static_cast<int>(tenths / 10 * 6 + tenths % 10);
}

class LongRun : public ::testing::Test {
protected:
    LongRun() : sheet(scores, database), host(database), counter(random) {
        host.followBattingOrder(scores, figures);
        database.assign(twoSides());
    }

    void newMatch(int battingFirst) {
        scores.reset(0);
        scores.battingFirst = battingFirst;
        sheet.clearTables();
        for (int side = 0; side < 2; ++side)
            for (int place = 0; place < kTeamSize; ++place)
                scores.teams[side].setPlayer(place, side * kTeamSize + place, database);
    }

    void startInnings(int inningsIndex, int target) {
        figures = InningsFigures{};
        figures.inningsIndex = inningsIndex;
        figures.target = target;
        figures.progressRange = target;
        const Team& fielding = engine.fieldingTeam();
        for (int row = 0; row < 5; ++row)
            figures.bowlerNames[row] = database.findById(fielding.playerAt(6 + row))->displayName();
        host.batted.clear();
        host.sliders = {};
        engine.bringInBatsman(0);
        engine.bringInBatsman(1);
    }

    // Bowls an innings with five bowlers in turn; returns its total.
    int playInnings(int inningsIndex, int target) {
        startInnings(inningsIndex, target);
        Innings& record = scores.innings[inningsIndex];
        for (int overNumber = 0; overNumber < kOversPerInnings; ++overNumber) {
            figures.overNumber = overNumber;
            figures.currentBowlerRow = overNumber % 5;
            record.overs[overNumber].bowlerId =
                database.findByDisplayName(figures.bowlerNames[figures.currentBowlerRow])->playerId;
            figures.ballIndex = 0;
            host.setBowlingSliders(sliderDraws.drawMod(5), sliderDraws.drawMod(5));
            host.sliders.running = sliderDraws.drawMod(5);
            host.sliders.battingSlot0 = sliderDraws.drawMod(5);
            host.sliders.battingSlot1 = sliderDraws.drawMod(5);
            while (figures.ballIndex < kBallsPerOver) {
                const long before = counter.taken;
                const int ballIndex = figures.ballIndex;
                const std::size_t logSize = log.text().size();
                const DeliveryEnd end = engine.playDelivery();
                ++deliveries;
                const Ball& ball = record.overs[overNumber].balls[ballIndex];
                checkDraws(ball, counter.taken - before);
                checkLogLine(log.text().substr(logSize), ball, end);
                checkFigures(record);
                if (::testing::Test::HasFailure())
                    return figures.totalRuns;
                if (end == DeliveryEnd::TenthWicket)
                    return figures.totalRuns;
                if (inningsIndex == 1 && figures.totalRuns >= target)
                    return figures.totalRuns;
                ++figures.ballIndex;
            }
            figures.oversFigure = std::ceil(figures.oversFigure);
            figures.bowlerOvers[figures.currentBowlerRow] =
                std::ceil(figures.bowlerOvers[figures.currentBowlerRow]);
            engine.swapStrike();
            engine.updateRates();
        }
        return figures.totalRuns;
    }

    void checkDraws(const Ball& ball, long taken) {
        const bool legal = ball.extraKind == ExtraKind::Legal;
        const bool keeperStumps = ball.dismissalKind == Dismissal::Stumped &&
                                  database.findById(ball.fielderId)->isWicketKeeper();
        const long expected = 1 + (legal ? 1 : 0) + (keeperStumps ? 0 : 1) +
                              (legal && ball.dismissalKind == Dismissal::NotOut ? 2 : 0);
        ASSERT_EQ(taken, expected) << "delivery " << deliveries;
        ++kinds[static_cast<int>(ball.dismissalKind)];
        if (ball.dismissalKind == Dismissal::Stumped)
            ++(keeperStumps ? keeperStumpings : fielderStumpings);
        extras += legal ? 0 : 1;
    }

    void checkLogLine(const std::string& line, const Ball& ball, DeliveryEnd end) {
        char opening[32];
        std::snprintf(opening, sizeof opening, "%0.1lf\t",
                      figures.oversFigure + (ball.extraKind == ExtraKind::Legal ? 0 : 0.1));
        ASSERT_EQ(line.rfind(opening, 0), 0u) << line;
        ASSERT_EQ(line.size() - 2, line.find("\r\n")) << line; // one line, ended once
        ASSERT_EQ(line.find("OUT! ") != std::string::npos, ball.dismissalKind != Dismissal::NotOut);
        ASSERT_EQ(end == DeliveryEnd::Extra, ball.extraKind != ExtraKind::Legal);
        if (ball.dismissalKind != Dismissal::NotOut) {
            ASSERT_NE(line.find("OUT! " + host.messages.back() + "\r\n"), std::string::npos);
        }
    }

    // The running figures against the record of the innings so far.
    void checkFigures(const Innings& record) {
        int total = 0, wickets = 0, runOuts = 0, byes = 0, legal = 0;
        for (int o = 0; o <= figures.overNumber; ++o) {
            const Over& over = record.overs[o];
            total += over.wideRuns + over.noBallRuns;
            for (const Ball& ball : over.balls) {
                if (ball.batsmanId == kNoPlayer || ball.extraKind != ExtraKind::Legal)
                    continue; // not bowled yet, or a wide or no-ball waiting to be re-bowled
                ++legal;
                total += ball.runs;
                wickets += ball.dismissalKind != Dismissal::NotOut;
                runOuts += ball.dismissalKind == Dismissal::RunOut;
                byes += ball.runKind == RunKind::Byes || ball.runKind == RunKind::LegByes
                            ? ball.runs
                            : 0;
            }
        }
        ASSERT_EQ(figures.totalRuns, total);
        ASSERT_EQ(figures.totalWickets, wickets);
        ASSERT_EQ(legalBallsOf(figures.oversFigure), legal);
        int bowlerRuns = 0, bowlerWickets = 0, bowlerBalls = 0;
        for (int row = 0; row < kBowlerRows; ++row) {
            bowlerRuns += figures.bowlerRuns[row];
            bowlerWickets += figures.bowlerWickets[row];
            bowlerBalls += legalBallsOf(figures.bowlerOvers[row]);
        }
        ASSERT_EQ(bowlerRuns, total - byes);
        ASSERT_EQ(bowlerWickets, wickets - runOuts);
        ASSERT_EQ(bowlerBalls, legal);
        ASSERT_DOUBLE_EQ(figures.runRate,
                         figures.oversFigure == 0 ? 0 : total / figures.oversFigure);
        for (int slot = 0; slot < kCreaseSlots; ++slot) {
            const int id = figures.batsmanIds[slot];
            int runs = 0, balls = 0;
            for (const Over& over : record.overs)
                for (const Ball& ball : over.balls)
                    if (ball.batsmanId == id && ball.extraKind == ExtraKind::Legal) {
                        ++balls;
                        if (ball.runKind == RunKind::Taken || ball.runKind == RunKind::Boundary)
                            runs += ball.runs;
                    }
            if (figures.totalWickets == kWicketsPerInnings && slot == figures.strikerSlot)
                continue; // the last man out stays in his slot with his balls counted
            ASSERT_EQ(figures.batsmanRuns[slot], runs) << "slot " << slot;
            ASSERT_EQ(figures.batsmanBalls[slot], balls) << "slot " << slot;
            ASSERT_DOUBLE_EQ(figures.batsmanStrikeRates[slot], balls ? runs * 100.0 / balls : 0);
        }
        ASSERT_NE(figures.batsmanIds[0], figures.batsmanIds[1]);
        if (figures.inningsIndex == 1 && figures.oversFigure != 50.0) {
            ASSERT_DOUBLE_EQ(figures.requiredRate,
                             (figures.target - total) / (50.0 - figures.oversFigure));
            ASSERT_EQ(figures.progressPosition, total);
        }
        ASSERT_EQ(static_cast<int>(host.messages.size()), wicketsBefore + wickets);
        // The scoresheet was handed every delivery.
        const InningsCard& card = sheet.card(figures.inningsIndex);
        ASSERT_EQ(card.total, total);
        ASSERT_EQ(card.wicketsDown, wickets);
    }

    void playMatches(int matches) {
        for (int match = 0; match < matches; ++match) {
            newMatch(match % 2);
            wicketsBefore = static_cast<int>(host.messages.size());
            const int first = playInnings(0, 0);
            if (HasFailure())
                return;
            wicketsBefore = static_cast<int>(host.messages.size());
            playInnings(1, first + 1);
            if (HasFailure())
                return;
        }
    }

    PlayerDatabase database;
    Scores scores;
    InningsFigures figures;
    ScoreSheet sheet;
    MatchLog log;
    ReportListener report{sheet, log};
    test::FakeHost host;
    Random random;
    CountingDraws counter;
    Random sliderDraws;
    MatchEngine engine{scores, database, figures, report, host, counter};

    long deliveries = 0;
    int wicketsBefore = 0;
    int kinds[6] = {};
    int keeperStumpings = 0, fielderStumpings = 0, extras = 0;
};

TEST_F(LongRun, FiguresStayConsistentWithTheRecord) {
    random.seed(20261208);
    sliderDraws.seed(7);
    playMatches(40);
    ASSERT_FALSE(HasFailure());
    EXPECT_GT(deliveries, 20000);
    // Every outcome came up, stumpings both by the keeper and, for side 1, by a drawn fielder.
    for (const DismissalInfo& kind : kDismissals)
        EXPECT_GT(kinds[static_cast<int>(kind.kind)], 0)
            << "dismissal kind " << static_cast<int>(kind.kind);
    EXPECT_GT(keeperStumpings, 0);
    EXPECT_GT(fielderStumpings, 0);
    EXPECT_GT(extras, 0);
    long lines = 0;
    for (std::size_t at = log.text().find("\r\n"); at != std::string::npos;
         at = log.text().find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, deliveries);
}

TEST_F(LongRun, TheSameSeedGivesTheSameCommentary) {
    random.seed(99);
    sliderDraws.seed(3);
    playMatches(3);
    const std::string first = log.text();
    const long draws = counter.taken;

    log.clear();
    host.messages.clear();
    counter.taken = 0;
    random.seed(99);
    sliderDraws.seed(3);
    playMatches(3);
    EXPECT_EQ(log.text(), first);
    EXPECT_EQ(counter.taken, draws);
}

} // namespace
} // namespace quorvel

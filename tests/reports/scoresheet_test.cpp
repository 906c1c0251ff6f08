#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>

#include "records/delivery_effect.h"
#include "records/player_database.h"
#include "reports/scoresheet.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

// clang-format off
enum Id { Opener, Catcher, Quick, Second, Third, Fielder, Fourth, Keeper, Spinner, Fifth, Sixth,
          Medium, NoFirstName };
// clang-format on

PlayerDatabase invented() {
    PlayerDatabase database;
    database.assign(PlayerFile{
        0,
        {test::makePlayer(Opener, "Opener", "Arlo"), test::makePlayer(Catcher, "Catcher", "Bram"),
         test::makePlayer(Quick, "Quick", "Cato"), test::makePlayer(Second, "Second", "Dov"),
         test::makePlayer(Third, "Third", "Ezra"), test::makePlayer(Fielder, "Fielder", "Finn"),
         test::makePlayer(Fourth, "Fourth", "Fitz"), test::makePlayer(Keeper, "Keeper", "Kip"),
         test::makePlayer(Spinner, "Spinner", "Sol"), test::makePlayer(Fifth, "Fifth", "Gus"),
         test::makePlayer(Sixth, "Sixth", "Hal"), test::makePlayer(Medium, "Medium", "Milo"),
         test::makePlayer(NoFirstName, "Nameless", "")}});
    return database;
}

Ball legal(int batsman, int runs, RunKind runKind = RunKind::Taken) {
    return Ball{batsman, ExtraKind::Legal, Dismissal::NotOut, runKind, runs, Fielder};
}
Ball extra(int batsman, ExtraKind kind, int runs = 1) {
    return Ball{batsman, kind, Dismissal::NotOut, RunKind::Taken, runs, Fielder};
}
Ball out(int batsman, Dismissal kind, int fielder = Fielder) {
    return Ball{batsman, ExtraKind::Legal, kind, RunKind::Taken, 0, fielder};
}

// Plays deliveries into the match record the way the engine does: each fills the current slot of
// the over and is reported at once; a wide or no-ball keeps its slot, a legal ball moves on.
class ScoreSheetTest : public ::testing::Test {
protected:
    ScoreSheetTest() {
        scores.reset();
        scores.teams[0].setName("India");
        scores.teams[1].setName("Pakistan");
        scores.matchDate = "07 December, 2026";
        scores.tossWinner = 1;
        sheet.clearTables();
    }

    void startOver(int bowler) { scores.innings[innings].overs[overNumber].bowlerId = bowler; }
    void bowl(const Ball& ball) {
        Over& over = scores.innings[innings].overs[overNumber];
        over.balls[slot] = ball;
        sheet.recordDelivery(innings, over, slot, over.balls[slot]);
        if (ball.extraKind == ExtraKind::Wide)
            over.wideRuns += ball.runs;
        else if (ball.extraKind == ExtraKind::NoBall)
            over.noBallRuns += ball.runs;
        else if (++slot == kBallsPerOver) {
            slot = 0;
            ++overNumber;
        }
    }
    void over(int bowler, std::initializer_list<Ball> balls) {
        startOver(bowler);
        for (const Ball& ball : balls)
            bowl(ball);
    }
    std::string text() {
        sheet.buildSheetText();
        return sheet.sheetText();
    }
    const InningsCard& card() const { return sheet.card(innings); }

    PlayerDatabase database = invented();
    Scores scores;
    ScoreSheet sheet{scores, database};
    int innings = 0;
    int overNumber = 0;
    int slot = 0;
};

TEST_F(ScoreSheetTest, WorkedOverFromFiftyForOne) {
    // Ten overs to 50 for 1: Quick 2 overs for 10, Spinner 8 for 40 and Fifth's wicket.
    const Ball one = legal(Opener, 1);
    for (int i = 0; i < 2; ++i)
        over(Quick, {one, one, one, one, one, legal(Opener, 0)});
    over(Spinner, {out(Fifth, Dismissal::Bowled), one, one, one, one, one});
    for (int i = 0; i < 7; ++i)
        over(Spinner, {one, one, one, one, one, legal(Opener, 0)});
    ASSERT_EQ(card().total, 50);
    ASSERT_DOUBLE_EQ(card().oversDone, 10.0);
    const BattingEntry& a = card().batting[0];
    const BattingEntry& b = card().batting[2];
    const BattingEntry& c = card().batting[3];
    const BowlingEntry& x = card().bowling[0];
    const int aRuns = a.runs, aBalls = a.ballsFaced;

    startOver(Quick);
    bowl(legal(Opener, 1));
    EXPECT_EQ(a.runs, aRuns + 1);
    EXPECT_EQ(card().total, 51);
    EXPECT_NEAR(card().oversDone, 10.1, 1e-9);
    EXPECT_NEAR(x.oversDone, 2.1, 1e-9);
    EXPECT_EQ(x.runsGiven, 11);

    bowl(extra(Second, ExtraKind::Wide));
    EXPECT_EQ(b.playerId, Second); // a wide gives the striker his row
    EXPECT_EQ(b.ballsFaced, 0);
    EXPECT_NEAR(card().oversDone, 10.1, 1e-9);
    EXPECT_EQ(card().extraWides, 1);
    EXPECT_EQ(card().total, 52);
    EXPECT_EQ(x.runsGiven, 12);
    EXPECT_EQ(x.wideRunsGiven, 1);

    bowl(legal(Second, 4, RunKind::Boundary));
    EXPECT_EQ(b.runs, 4);
    EXPECT_EQ(b.fours, 1);
    EXPECT_EQ(card().total, 56);
    EXPECT_EQ(x.runsGiven, 16);

    bowl(out(Second, Dismissal::Caught, Catcher));
    EXPECT_EQ(b.ballsFaced, 2);
    EXPECT_EQ(b.howOut, Dismissal::Caught);
    EXPECT_EQ(b.fielderId, Catcher);
    EXPECT_EQ(b.bowlerId, Quick);
    EXPECT_EQ(x.wicketsTaken, 1);
    EXPECT_EQ(card().fallOfWickets[1].playerId, Second);
    EXPECT_EQ(card().fallOfWickets[1].scoreAtFall, 56);
    EXPECT_NEAR(card().fallOfWickets[1].oversAtFall, 10.2, 1e-9);
    EXPECT_EQ(card().wicketsDown, 2);
    EXPECT_NEAR(card().oversDone, 10.3, 1e-9);

    bowl(legal(Third, 1, RunKind::LegByes));
    EXPECT_EQ(c.playerId, Third);
    EXPECT_EQ(c.runs, 0);
    EXPECT_EQ(card().extraLegByes, 1);
    EXPECT_EQ(card().total, 57);
    EXPECT_EQ(x.runsGiven, 16);

    bowl(legal(Opener, 0));
    bowl(legal(Third, 0));
    EXPECT_EQ(a.ballsFaced, aBalls + 2);
    EXPECT_EQ(c.ballsFaced, 2);
    EXPECT_DOUBLE_EQ(card().oversDone, 11.0);
    EXPECT_DOUBLE_EQ(x.oversDone, 3.0);
    EXPECT_EQ(x.maidenOvers, 0);
    EXPECT_EQ(overRuns(scores.innings[0].overs[10]), 7);

    const std::string sheetText = text();
    EXPECT_NE(sheetText.find("  2-56 (D Second, 10.2 ov)"), std::string::npos);
    EXPECT_NE(sheetText.find("(2  wickets, 11.0 overs)"), std::string::npos);
    EXPECT_NE(sheetText.find("C Quick                3  0  16  1  (1 w)\r\n"), std::string::npos);
}

TEST_F(ScoreSheetTest, ExampleSectionCharacterForCharacter) {
    InningsCard c;
    c.batting = {{{Opener, 23, 35, 2, 1, Dismissal::Caught, Catcher, Quick},
                  {Second, 5, 14, 0, 0, Dismissal::Bowled, kNoPlayer, Quick},
                  {Third, 40, 60, 4, 0, Dismissal::RunOut, Fielder, kNoPlayer},
                  {Fourth, 12, 22, 1, 0, Dismissal::Stumped, Keeper, Spinner},
                  {Fifth, 7, 8, 0, 0, Dismissal::NotOut, kNoPlayer, kNoPlayer},
                  {Sixth, 0, 2, 0, 0, Dismissal::NotOut, kNoPlayer, kNoPlayer}}};
    c.bowling = {{{Quick, 10.0, 1, 45, 2, 2, 1},
                  {Spinner, 8.0, 0, 30, 1, 1, 0},
                  {Medium, 5.3, 0, 16, 0, 0, 0}}};
    c.fallOfWickets = {
        {{Opener, 30, 7.2}, {Second, 41, 10.0}, {Third, 80, 19.5}, {Fourth, 88, 21.4}}};
    c.extraByes = 1;
    c.extraLegByes = 2;
    c.extraWides = 3;
    c.extraNoBalls = 1;
    c.total = 94;
    c.wicketsDown = 4;
    c.oversDone = 23.3;

    EXPECT_EQ(scoreSheetHeader(scores) + inningsSectionText(c, "India", database),
              "India vs. Pakistan\r\n"
              "07 December, 2026\r\n"
              "Toss: Pakistan\r\n"
              "\r\n"
              "India                                                          R   B  4  6\r\n"
              "A Opener            c B Catcher         b C Quick             23  35  2  1\r\n"
              "D Second                                b C Quick              5  14  0  0\r\n"
              "E Third             run out (Fielder)                         40  60  4  0\r\n"
              "F Fourth            st K Keeper         b S Spinner           12  22  1  0\r\n"
              "G Fifth             not out                                    7   8  0  0\r\n"
              "H Sixth             not out                                    0   2  0  0\r\n"
              "Extras              (b  1, lb  2, w  3, nb  1)                 7\r\n"
              "Total               (4  wickets, 23.3 overs)                  94\r\n"
              "\r\n"
              "FoW:\r\n"
              "  1-30 (A Opener, 7.2 ov),  2-41 (D Second, 10.0 ov),\r\n"
              "  3-80 (E Third, 19.5 ov),  4-88 (F Fourth, 21.4 ov)\r\n"
              "\r\n"
              "Bowling                O  M   R  W\r\n"
              "C Quick               10  1  45  2  (2 w, 1 nb)\r\n"
              "S Spinner              8  0  30  1  (1 w)\r\n"
              "M Medium               5  0  16  0  \r\n"
              "\r\n"
              "\r\n");
}

TEST_F(ScoreSheetTest, BeforeTheFirstBallAndTheSecondInningsSection) {
    const std::string empty =
        "India vs. Pakistan\r\n07 December, 2026\r\nToss: Pakistan\r\n\r\n"
        "Pakistan                                                       R   B  4  6\r\n"
        "Extras              (b  0, lb  0, w  0, nb  0)                 0\r\n"
        "Total               (0  wickets,  0.0 overs)                   0\r\n\r\n"
        "FoW:\r\n\r\n"
        "Bowling                O  M   R  W\r\n\r\n\r\n";
    scores.battingFirst = 1;
    sheet.writeHeader();
    EXPECT_EQ(sheet.sheetText(), empty.substr(0, empty.find("Pakistan    ")));
    EXPECT_EQ(text(), empty);

    // The second innings shows with its first delivery, batted by the other side.
    innings = 1;
    over(Quick, {legal(Opener, 2)});
    const std::string both = text();
    ASSERT_EQ(both.substr(0, empty.size()), empty);
    EXPECT_EQ(both.substr(empty.size(), 8), "India   ");
    EXPECT_NE(both.find("A Opener            not out                                    2   1"),
              std::string::npos);

    sheet.clearTables();
    EXPECT_EQ(sheet.lastInnings(), 0);
    EXPECT_EQ(sheet.card(1).batting[0].playerId, kNoPlayer);
    EXPECT_EQ(text(), empty);
}

TEST_F(ScoreSheetTest, WidesAndNoBallsNeverFaceOrEndAnOver) {
    over(Quick, {extra(Opener, ExtraKind::Wide)});
    EXPECT_NE(text().find("(0  wickets,  0.0 overs)                   1"), std::string::npos);
    EXPECT_NE(text().find("A Opener            not out                                    0   0"),
              std::string::npos);
    bowl(legal(Opener, 0)); // the same slot, re-bowled
    EXPECT_NE(text().find("(0  wickets,  0.1 overs)"), std::string::npos);

    for (int i = 0; i < 4; ++i)
        bowl(legal(Second, 0));
    bowl(extra(Second, ExtraKind::NoBall, 1)); // into the sixth slot
    EXPECT_NEAR(card().oversDone, 0.5, 1e-9);
    EXPECT_EQ(card().batting[1].ballsFaced, 4);
    EXPECT_EQ(card().batting[1].runs, 0);
    EXPECT_EQ(card().extraNoBalls, 1);
    bowl(legal(Second, 0));
    EXPECT_DOUBLE_EQ(card().oversDone, 1.0);
    EXPECT_EQ(card().bowling[0].maidenOvers, 0); // six dot balls around a wide and a no-ball
    EXPECT_NE(text().find("C Quick                1  0   2  0  (1 w, 1 nb)\r\n"),
              std::string::npos);
}

TEST_F(ScoreSheetTest, MaidensCountEveryKindOfRun) {
    const Ball dot = legal(Second, 0);
    over(Quick, {legal(Opener, 0), legal(Opener, 0), out(Opener, Dismissal::Lbw), dot, dot, dot});
    over(Spinner, {legal(Second, 1, RunKind::Byes), dot, dot, dot, dot, dot});
    over(Medium, {dot, dot, dot, dot, dot, legal(Second, 1, RunKind::LegByes)});
    EXPECT_EQ(card().bowling[0].maidenOvers, 1);
    EXPECT_EQ(card().bowling[0].wicketsTaken, 1);
    EXPECT_EQ(card().bowling[1].maidenOvers, 0);
    EXPECT_EQ(card().bowling[2].maidenOvers, 0);
    EXPECT_EQ(card().bowling[1].runsGiven + card().bowling[2].runsGiven, 0);
    EXPECT_EQ(card().total, 2);
    // An lbw reads like bowled.
    EXPECT_NE(text().find("A Opener                                b C Quick              0   3"),
              std::string::npos);
    EXPECT_EQ(text().find("lbw"), std::string::npos);
}

TEST_F(ScoreSheetTest, RunOutCreditsNoBowlerAndIsTheSheetsOnlyRunWord) {
    over(Spinner, {legal(Opener, 3), extra(Second, ExtraKind::Wide, 1), legal(Second, 2),
                   out(Second, Dismissal::RunOut, Fielder), legal(Third, 4, RunKind::Byes)});
    const BattingEntry& runOut = card().batting[1];
    EXPECT_EQ(runOut.howOut, Dismissal::RunOut);
    EXPECT_EQ(runOut.fielderId, Fielder);
    EXPECT_EQ(runOut.bowlerId, kNoPlayer);
    EXPECT_EQ(card().bowling[0].wicketsTaken, 0);
    EXPECT_EQ(card().wicketsDown, 1);
    EXPECT_NEAR(card().bowling[0].oversDone, 0.4, 1e-9);

    const std::string sheetText = text();
    EXPECT_NE(
        sheetText.find("D Second            run out (Fielder)                          2   2"),
        std::string::npos);
    EXPECT_NE(sheetText.find("S Spinner              0  0   6  0  (1 w)"), std::string::npos);
    // Runs stand as figures only; "run" appears once, in the run-out line.
    EXPECT_EQ(sheetText.find("run"), sheetText.rfind("run"));
    EXPECT_EQ(sheetText.find("run"), sheetText.find("run out"));
}

TEST_F(ScoreSheetTest, PartOverAndBoundaries) {
    for (int i = 0; i < 37; ++i)
        over(i % 2 ? Medium : Quick, {legal(Opener, 0), legal(Opener, 0), legal(Opener, 0),
                                      legal(Opener, 0), legal(Opener, 0), legal(Opener, 0)});
    over(Medium, {legal(Opener, 6, RunKind::Boundary), legal(Opener, 4, RunKind::Boundary),
                  legal(Opener, 5, RunKind::Boundary), out(Opener, Dismissal::Stumped, Keeper)});
    const std::string sheetText = text();
    EXPECT_NE(sheetText.find("(1  wickets, 37.4 overs)                  15"), std::string::npos);
    EXPECT_NE(sheetText.find("M Medium              18 18  15  1  \r\n"), std::string::npos);
    EXPECT_NE(sheetText.find(
                  "A Opener            st K Keeper         b M Medium            15 226  1  2"),
              std::string::npos);
    EXPECT_NE(sheetText.find("FoW:\r\n  1-15 (A Opener, 37.3 ov)\r\n\r\n"), std::string::npos);
}

TEST_F(ScoreSheetTest, RowsBeyondTheLimitsAndBadIndexesAreIgnored) {
    // Nobody (-1) and the over's missing bowler take no row; the runs still count.
    bowl(legal(kNoPlayer, 1));
    EXPECT_EQ(card().batting[0].runs, 0);
    EXPECT_EQ(card().bowling[0].runsGiven, 0);
    EXPECT_EQ(card().total, 1);

    // Twelve batsmen and eleven bowlers, one delivery each.
    for (int id = 0; id < 12; ++id) {
        startOver(id == 11 ? NoFirstName : id);
        bowl(legal(id, 1));
    }
    EXPECT_EQ(card().total, 13);
    EXPECT_EQ(card().batting[10].playerId, 10);
    EXPECT_EQ(card().bowling[9].playerId, 9);
    EXPECT_NEAR(card().oversDone, 2.1, 1e-9);
    for (const auto& row : card().batting)
        EXPECT_EQ(row.runs, 1);

    // Eleven wickets fit in ten rows without writing past them.
    for (int i = 0; i < 11; ++i)
        bowl(out(Opener, Dismissal::Bowled));
    EXPECT_EQ(card().wicketsDown, 10);
    EXPECT_EQ(card().fallOfWickets[9].scoreAtFall, 13);

    const InningsCard before = sheet.card(0);
    const Over& over = scores.innings[0].overs[0];
    sheet.recordDelivery(2, over, 0, over.balls[0]);
    sheet.recordDelivery(-1, over, 0, over.balls[0]);
    EXPECT_EQ(sheet.card(0).total, before.total);
    EXPECT_EQ(sheet.card(1).total, 0);
    EXPECT_EQ(sheet.card(1).batting[0].playerId, kNoPlayer);
    EXPECT_EQ(sheet.lastInnings(), 0);
}

TEST_F(ScoreSheetTest, AbsurdRunsSaturateInsteadOfWrapping) {
    const int most = std::numeric_limits<std::int32_t>::max();
    over(Quick, {legal(Opener, most), legal(Opener, most), extra(Opener, ExtraKind::Wide, most)});
    EXPECT_EQ(card().total, most);
    EXPECT_EQ(card().batting[0].runs, most);
    EXPECT_EQ(card().bowling[0].runsGiven, most);
    EXPECT_NE(text().find("2147483647"), std::string::npos);

    // Exact up to the limit itself, held there past it, and exact again on the way back.
    innings = 1;
    overNumber = 0;
    over(Quick, {legal(Opener, most - 10), extra(Opener, ExtraKind::NoBall, 10)});
    EXPECT_EQ(card().total, most);
    EXPECT_EQ(card().bowling[0].runsGiven, most);
    bowl(legal(Opener, 1));
    EXPECT_EQ(card().total, most);
    EXPECT_EQ(card().batting[0].runs, most - 9);
    bowl(legal(Opener, -most));
    bowl(legal(Opener, -most));
    EXPECT_EQ(card().total, -most);
    EXPECT_EQ(card().batting[0].runs, std::numeric_limits<std::int32_t>::min());
}

TEST_F(ScoreSheetTest, UnknownAndUnnamedPlayersAndLongNamesPrint) {
    over(Keeper, {legal(NoFirstName, 1), out(NoFirstName, Dismissal::Caught, 999), legal(77, 2)});
    const std::string sheetText = text();
    EXPECT_NE(sheetText.find("  Nameless          c   "), std::string::npos);
    EXPECT_NE(sheetText.find("\r\n" + std::string(20, ' ') + "not out"), std::string::npos);
    EXPECT_NE(sheetText.find("  1-1 (  Nameless, 0.1 ov)"), std::string::npos);

    InningsCard c;
    c.batting[0] = BattingEntry{Opener, 1, 1, 0, 0, Dismissal::NotOut, kNoPlayer, kNoPlayer};
    PlayerDatabase wide;
    wide.assign(PlayerFile{0, {test::makePlayer(0, std::string(30, 'W'), "Zed")}});
    EXPECT_NE(inningsSectionText(c, "Side", wide)
                  .find("Z " + std::string(30, 'W') + " not out" + std::string(33, ' ') +
                        "   1   1  0  0\r\n"),
              std::string::npos);
}

TEST_F(ScoreSheetTest, SaveWritesTheExactBytesOrTheFileErrorText) {
    over(Quick, {legal(Opener, 1), extra(Second, ExtraKind::Wide)});
    const std::string sheetText = text();
    EXPECT_EQ(sheet.defaultFileName(), "India vs. Pakistan, 07 December, 2026.txt");

    test::ScratchDir dir;
    const std::string path = dir.file(sheet.defaultFileName());
    ASSERT_FALSE(sheet.saveSheet(path).has_value());
    EXPECT_EQ(test::readBytes(path), sheetText);
    ASSERT_FALSE(sheet.saveSheet(path).has_value());
    EXPECT_EQ(test::readBytes(path), sheetText);

    const std::string missing = dir.file("no folder/sheet.txt");
    const auto notFound = sheet.saveSheet(missing);
    ASSERT_TRUE(notFound.has_value());
    EXPECT_EQ(notFound->message(), missing + " was not found.");

    const auto folder = sheet.saveSheet(dir.path().string());
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->message(), "Access to " + dir.path().string() + " was denied.");

    const std::string locked = dir.file("locked.txt");
    test::writeBytes(locked, "old");
    ::chmod(locked.c_str(), 0444);
    const auto readOnly = sheet.saveSheet(locked);
    ASSERT_TRUE(readOnly.has_value());
    EXPECT_EQ(readOnly->message(),
              "Unable to write to " + locked + ", it is read-only or opened by someone else.");
    EXPECT_EQ(test::readBytes(locked), "old");
    EXPECT_EQ(sheet.sheetText(), sheetText);
}

} // namespace
} // namespace quorvel

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/random.h"
#include "records/delivery_effect.h"
#include "records/match_check.h"
#include "records/match_outcome.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "records/scores_file.h"
#include "screen/headless_match.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

TEST(OverRecord, OverRunsCountsExtrasByesAndRuns) {
    Over over;
    EXPECT_EQ(overRuns(over), 0);
    EXPECT_EQ(over.bowlerId, kNoPlayer);
    over.wideRuns = 3;
    EXPECT_EQ(overRuns(over), 3);
    over.balls[2].runKind = RunKind::Byes;
    over.balls[2].runs = 4;
    over.noBallRuns = 1;
    over.balls[5].runs = 6;
    EXPECT_EQ(overRuns(over), 14);
    // A wicket carries no runs, and a wide still in its slot is already in the wide runs.
    over.balls[4] = Ball{1, ExtraKind::Legal, Dismissal::Bowled, RunKind::Taken, 5, kNoPlayer};
    over.balls[1] = Ball{1, ExtraKind::Wide, Dismissal::NotOut, RunKind::Taken, 2, kNoPlayer};
    over.wideRuns = 5;
    EXPECT_EQ(overRuns(over), 16);
    EXPECT_EQ(extrasBowledAgain(over).wides, 3);
    EXPECT_EQ(extrasBowledAgain(over).noBalls, 1);
    over.reset();
    EXPECT_EQ(overRuns(over), 0);
}

TEST(InningsRecord, IsSevenThousandEightHundredBytesAndRoundTrips) {
    Innings innings;
    innings.overs[0].bowlerId = 4;
    innings.overs[0].balls[0] = Ball{1, ExtraKind::Legal, Dismissal::Caught, RunKind::Taken, 0, 9};
    innings.overs[49].wideRuns = 2;
    ArchiveWriter writer;
    innings.serialize(writer);
    ASSERT_EQ(writer.bytes().size(), 7800u);
    // Over 0: bowlerId, then ball 0 as batsmanId, extraKind, dismissalKind, runKind, runs,
    // fielderId.
    EXPECT_EQ(writer.bytes().substr(0, 8), std::string("\x04\0\0\0\x01\0\0\0", 8));
    EXPECT_EQ(writer.bytes()[4 + 8], '\x02');
    EXPECT_EQ(writer.bytes()[4 + 20], '\x09');

    ArchiveReader reader(writer.bytes());
    Innings back;
    back.serialize(reader);
    ArchiveWriter again;
    back.serialize(again);
    EXPECT_EQ(again.bytes(), writer.bytes());
}

TEST(TeamRecord, PlacesAreBoundsCheckedAndResetKeepsTheComputerFlag) {
    PlayerDatabase database;
    database.assign(PlayerFile{0, {test::makePlayer(0, "A", "B"), test::makePlayer(1, "C", "D")}});
    Team team;
    team.setComputerControlled(1);
    team.setName("Reds");
    team.setPlayer(0, 1, database);
    team.setPlayer(11, 0, database);
    team.setPlayer(-1, 0, database);
    team.setPlayer(1, 2, database); // not below the count
    EXPECT_EQ(team.playerAt(0), 1);
    EXPECT_EQ(team.playerAt(1), kNoPlayer);
    EXPECT_EQ(team.playerAt(11), kNoPlayer);
    EXPECT_EQ(team.playerAt(-1), kNoPlayer);

    team.reset();
    EXPECT_TRUE(team.isComputerControlled());
    EXPECT_EQ(team.name(), "");
    for (int i = 0; i < kTeamSize; ++i)
        EXPECT_EQ(team.playerAt(i), kNoPlayer);

    ArchiveWriter writer;
    team.serialize(writer);
    ASSERT_EQ(writer.bytes().size(), 49u);
    EXPECT_EQ(writer.bytes()[0], '\0');
    EXPECT_EQ(writer.bytes().substr(1, 4), std::string("\x01\0\0\0", 4));
}

TEST(MatchDate, EnglishMonthAndTwoDigitDay) {
    std::tm date{};
    date.tm_mday = 7;
    date.tm_mon = 11;
    date.tm_year = 126;
    EXPECT_EQ(formatMatchDate(date), "07 December, 2026");
    date.tm_mday = 23;
    date.tm_mon = 0;
    EXPECT_EQ(formatMatchDate(date), "23 January, 2026");
}

Scores sampleMatch() {
    Scores scores;
    scores.matchDate = "07 December, 2026";
    scores.teams[0].setName("India");
    scores.teams[1].setName("Pakistan");
    scores.teams[1].setComputerControlled(1);
    scores.battingFirst = 1;
    scores.tossWinner = 1;
    // Players 0..21: the left side 0..10, the right 11..21, which bats first. One over bowled:
    // a four, then five dot balls.
    static const PlayerDatabase database = [] {
        PlayerFile file;
        for (int id = 0; id < 22; ++id)
            file.players.push_back(test::makePlayer(id, "S" + std::to_string(id), "F"));
        PlayerDatabase built;
        built.assign(std::move(file));
        return built;
    }();
    for (int place = 0; place < kTeamSize; ++place)
        for (int side = 0; side < 2; ++side)
            scores.teams[side].setPlayer(place, side * kTeamSize + place, database);
    Over& over = scores.innings[0].overs[0];
    over.bowlerId = 3;
    for (Ball& ball : over.balls) {
        ball.batsmanId = 11;
        ball.fielderId = 0;
    }
    over.balls[0].runKind = RunKind::Boundary;
    over.balls[0].runs = 4;
    over.noBallRuns = 1;
    return scores;
}

TEST(MatchOutcome, TheChaseWinsByWicketsLeftTheSideFirstByRunsLevelIsATie) {
    const MatchOutcome chase = matchOutcome(250, 251, 9);
    EXPECT_EQ(chase.winner, Winner::SecondBatting);
    EXPECT_EQ(outcomeText(chase, "India", "Sri Lanka"), "Sri Lanka won by 1 wicket");
    EXPECT_EQ(outcomeText(matchOutcome(250, 280, 3), "A", "B"), "B won by 7 wickets");
    EXPECT_EQ(outcomeText(matchOutcome(250, 249, 10), "India", "B"), "India won by 1 run");
    EXPECT_EQ(outcomeText(matchOutcome(250, 205, 6), "India", "B"), "India won by 45 runs");
    const MatchOutcome tie = matchOutcome(250, 250, 10);
    EXPECT_EQ(tie.winner, Winner::Tie);
    EXPECT_EQ(outcomeText(tie, "A", "B"), "Match tied");
}

TEST(ScoresRecord, FileLayoutPutsTheDateAndIndicesBeforeTheTeams) {
    const Scores scores = sampleMatch();
    EXPECT_EQ(scores.title(), "India vs. Pakistan, 07 December, 2026");
    const std::string bytes = encodeScores(scores);
    const std::size_t dateLength = scores.matchDate.size();
    EXPECT_EQ(bytes.size(), 4 + (1 + dateLength) + 4 + 4 + (49 + 5) + (49 + 8) + 2 * 7800);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\0\0\x01\0", 4));
    EXPECT_EQ(bytes.substr(4, 1 + dateLength), "\x11"
                                               "07 December, 2026");
    EXPECT_EQ(bytes.substr(22, 8), std::string("\x01\0\0\0\x01\0\0\0", 8));
    EXPECT_EQ(bytes.substr(30, 6), "\x05India");

    const Scores back = decodeScores(bytes);
    EXPECT_EQ(back.teams[1].name(), "Pakistan");
    EXPECT_TRUE(back.teams[1].isComputerControlled());
    EXPECT_EQ(encodeScores(back), bytes);
}

TEST(ScoresRecord, ResetClearsTheMatchButNotTheComputerFlags) {
    Scores scores = sampleMatch();
    scores.formatStamp = 5;
    scores.reset();
    EXPECT_EQ(scores.formatStamp, 0x10000);
    EXPECT_EQ(scores.battingFirst, 0);
    EXPECT_EQ(scores.tossWinner, 0);
    EXPECT_EQ(scores.teams[0].name(), "");
    EXPECT_TRUE(scores.teams[1].isComputerControlled());
    EXPECT_EQ(scores.innings[0].overs[0].bowlerId, kNoPlayer);
    EXPECT_EQ(scores.matchDate, formatMatchDate(std::time(nullptr)));
}

TEST(ScoresRecord, RejectsTruncatedOverlongAndOutOfRangeFiles) {
    const std::string bytes = encodeScores(sampleMatch());
    const auto faultOf = [](const std::string& data) {
        try {
            decodeScores(data);
        } catch (const ArchiveError& error) {
            return static_cast<int>(error.fault());
        }
        return -1;
    };
    EXPECT_EQ(faultOf(bytes.substr(0, bytes.size() - 1)), int(ArchiveFault::EndOfData));
    EXPECT_EQ(faultOf(bytes + "x"), int(ArchiveFault::BadFormat));
    std::string badIndex = bytes;
    badIndex[22] = 2; // battingFirst
    EXPECT_EQ(faultOf(badIndex), int(ArchiveFault::BadFormat));
}

class MatchFiles : public testing::Test {
protected:
    test::ScratchDir dir;
    Scores open = sampleMatch();

    // Opening path must fail with text and leave the open match as it was.
    void expectOpenFails(const std::string& path, const std::string& text) {
        Scores current = open;
        current.teams[0].setName("Current");
        const std::string before = encodeScores(current);
        const auto error = readScoresFile(path, current);
        ASSERT_TRUE(error.has_value()) << path;
        EXPECT_EQ(error->message(), text);
        EXPECT_EQ(encodeScores(current), before);
    }
};

TEST_F(MatchFiles, SaveAndOpenGiveTheSameBytes) {
    const std::string path = dir.file("match.quo");
    ASSERT_FALSE(writeScoresFile(path, open));
    Scores loaded;
    ASSERT_FALSE(readScoresFile(path, loaded));
    const std::string second = dir.file("again.quo");
    ASSERT_FALSE(writeScoresFile(second, loaded));
    EXPECT_EQ(test::readBytes(second), test::readBytes(path));

    // Saving again over an existing file replaces it and keeps its permissions.
    ::chmod(path.c_str(), 0604);
    open.teams[0].setName("Changed");
    ASSERT_FALSE(writeScoresFile(path, open));
    struct stat status {};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0604u);
    EXPECT_EQ(test::readBytes(path), encodeScores(open));
}

TEST_F(MatchFiles, OpenFailuresNameTheFileAndKeepTheMatch) {
    const std::string missing = dir.file("missing.quo");
    expectOpenFails(missing, missing + " was not found.");
    expectOpenFails(dir.path().string(), "Access to " + dir.path().string() + " was denied.");

    const std::string bytes = encodeScores(sampleMatch());
    const std::string truncated = dir.file("short.quo");
    test::writeBytes(truncated, bytes.substr(0, 100));
    expectOpenFails(truncated, "An attempt was made to access " + truncated + " past its end.");
    const std::string overlong = dir.file("long.quo");
    test::writeBytes(overlong, bytes + "trailing");
    expectOpenFails(overlong, overlong + " has a bad format.");
    const std::string empty = dir.file("empty.quo");
    test::writeBytes(empty, "");
    expectOpenFails(empty, "An attempt was made to access " + empty + " past its end.");
}

// Played matches, whole and cut after any over, open; a record no match could leave is refused
// as a bad format and the match in hand stays.
TEST_F(MatchFiles, DamagedRecordsAreRefusedAndPlayedOnesOpen) {
    PlayerDatabase database;
    ASSERT_FALSE(loadSimDatabase(database, QUORVEL_PLAYERS_DAT));
    Scores played;
    ASSERT_FALSE(setUpPredefinedSides(played, database, "India", "Pakistan"));
    EXPECT_FALSE(matchRecordFault(Scores{})) << "an untitled match saves and opens";
    EXPECT_FALSE(matchRecordFault(played)) << "a match saved before its first ball";
    for (std::uint32_t seed : {1u, 2u, 3u, 7u, 42u}) {
        Scores scores = played;
        Random random;
        playHeadlessMatch(scores, database, random, seed, seed % 2 == 0, seed % 3 == 0, false);
        EXPECT_FALSE(matchRecordFault(scores)) << seed;
        for (int innings = 1; innings >= 0; --innings)
            for (int over = kOversPerInnings - 1; over >= 0; --over) {
                scores.innings[innings].overs[over] = Over{};
                ASSERT_FALSE(matchRecordFault(scores)) << seed << " " << innings << " " << over;
            }
    }

    Scores match = played;
    Random random;
    playHeadlessMatch(match, database, random, 1, true, true, false);
    const Team& batting = match.teams[match.battingSide(0)];
    const Team& fielding = match.teams[match.fieldingSide(0)];
    const std::vector<std::function<void(Scores&)>> damages = {
        [&](Scores& s) { s.innings[0].overs[0].balls[1].batsmanId = fielding.playerAt(0); },
        [&](Scores& s) { s.innings[0].overs[0].bowlerId = batting.playerAt(3); },
        [&](Scores& s) { s.innings[0].overs[0].balls[2].fielderId = batting.playerAt(3); },
        [&](Scores& s) { s.innings[0].overs[1].balls[3].fielderId = 9999; },
        [](Scores& s) { s.innings[0].overs[0].balls[0].extraKind = ExtraKind{3}; },
        [](Scores& s) { s.innings[0].overs[0].balls[0].dismissalKind = Dismissal{6}; },
        [](Scores& s) { s.innings[0].overs[0].balls[0].runKind = RunKind{-1}; },
        [](Scores& s) {
            s.innings[0].overs[2].balls[4] = {s.innings[0].overs[2].balls[4].batsmanId,
                                              ExtraKind::Legal,
                                              Dismissal::NotOut,
                                              RunKind::Taken,
                                              5,
                                              s.innings[0].overs[2].balls[4].fielderId};
        },
        [](Scores& s) {
            s.innings[0].overs[2].balls[4].runKind = RunKind::Boundary;
            s.innings[0].overs[2].balls[4].runs = 5;
        },
        [](Scores& s) { s.innings[0].overs[3].balls[2].runs = -1; },
        [](Scores& s) { s.innings[0].overs[3].wideRuns = -1; },
        [](Scores& s) { s.innings[0].overs[3].noBallRuns = 2147483647; },
        [](Scores& s) { s.innings[0].overs[4].balls[2] = Ball{}; },
        [](Scores& s) { s.innings[0].overs[4] = Over{}; },
        [&](Scores& s) {
            // Eleven wickets: every batsman out, the eleventh after the innings ended.
            for (int slot = 0; slot < 12; ++slot) {
                Ball& ball = s.innings[0].overs[slot / 6].balls[slot % 6];
                ball.batsmanId = batting.playerAt(std::min(slot, 10));
                ball.extraKind = ExtraKind::Legal;
                ball.dismissalKind = Dismissal::Bowled;
                ball.runs = 0;
            }
        },
        [](Scores& s) {
            // An over after an innings that ended inside its fifty: all out or the chase won.
            for (Innings& innings : s.innings) {
                int overs = 0;
                while (overs < kOversPerInnings && innings.overs[overs].bowled())
                    ++overs;
                if (overs < kOversPerInnings) {
                    innings.overs[overs] = innings.overs[overs - 1];
                    return;
                }
            }
            ADD_FAILURE() << "both innings ran their fifty overs";
        },
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        Scores damaged = match;
        damages[i](damaged);
        EXPECT_TRUE(matchRecordFault(damaged)) << "damage " << i;
    }

    // Four bytes overwritten in a saved file: refused, the match in hand kept.
    const std::string path = dir.file("damaged.quo");
    std::string bytes = encodeScores(match);
    bytes.replace(200, 4, "\xff\xff\xff\xff");
    test::writeBytes(path, bytes);
    expectOpenFails(path, path + " has a bad format.");
    Scores damaged = match;
    damages[0](damaged);
    test::writeBytes(path, encodeScores(damaged));
    expectOpenFails(path, path + " has a bad format.");
}

TEST_F(MatchFiles, SaveFailuresKeepTheEarlierFile) {
    const std::string path = dir.file("kept.quo");
    ASSERT_FALSE(writeScoresFile(path, open));
    const std::string before = test::readBytes(path);
    ::chmod(path.c_str(), 0444);
    Scores other = sampleMatch();
    other.teams[0].setName("Other");
    auto error = writeScoresFile(path, other);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message(),
              "Unable to write to " + path + ", it is read-only or opened by someone else.");
    EXPECT_EQ(test::readBytes(path), before);

    error = writeScoresFile(dir.path().string(), other);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message(), "Access to " + dir.path().string() + " was denied.");

    const std::string nowhere = dir.file("no/such/folder/x.quo");
    error = writeScoresFile(nowhere, other);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message(), nowhere + " was not found.");

    if (::access("/dev/full", W_OK) == 0) {
        error = writeScoresFile("/dev/full", other);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message(), "Disk full while accessing /dev/full.");
    }
}

} // namespace
} // namespace quorvel

#include <gtest/gtest.h>

#include "records/player_database.h"
#include "reports/match_stats.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

// The report's line that starts with label.
std::string lineOf(const std::string& report, const std::string& label) {
    const auto at = report.find("\n" + label);
    if (at == std::string::npos)
        return {};
    return report.substr(at + 1, report.find('\n', at + 1) - at - 1);
}

TEST(MatchStatistics, FiguresOfAHandMadeMatch) {
    PlayerDatabase database;
    database.assign(
        PlayerFile{0, {test::makePlayer(0, "Vance", "Ola"), test::makePlayer(1, "Reyes", "Kit")}});
    std::array<InningsCard, 2> cards{};
    cards[0].total = 250;
    cards[0].wicketsDown = 7;
    cards[0].oversDone = 50;
    cards[0].extraWides = 4;
    cards[0].batting[0] = {0, 101, 120, 9, 2, Dismissal::NotOut, kNoPlayer, kNoPlayer};
    cards[1].total = 250; // level: a tie
    cards[1].wicketsDown = 10;
    cards[1].oversDone = 48.3;
    cards[1].bowling[0] = {0, 10, 2, 31, 5, 0, 0};

    MatchStatistics statistics;
    statistics.addMatch(cards, "Reds", "Blues", database);
    EXPECT_EQ(ballsOfOvers(48.3), 291);
    EXPECT_EQ(ballsOfOvers(0.1 + 0.1 + 0.1), 3);
    const std::string report = statistics.report();
    EXPECT_NE(lineOf(report, "matches tied").find(" 100.0% "), std::string::npos) << report;
    EXPECT_NE(lineOf(report, "innings all out").find(" 50.0% "), std::string::npos);
    EXPECT_NE(lineOf(report, "matches won by the side batting first").find(" 0.0% "),
              std::string::npos);
    EXPECT_NE(report.find("O Vance 101* (Reds)"), std::string::npos);
    EXPECT_NE(report.find("O Vance 5/31 (Reds)"), std::string::npos);
    EXPECT_NE(lineOf(report, "total of an innings of 50 overs").find("250.00       0.00"),
              std::string::npos);

    // Of equal performances the one seen first stays ahead and a sixth is not listed; of equal
    // wickets, fewer runs conceded go ahead. Texts are made only for those listed, in order.
    cards[0].batting[0].runs = 40;
    cards[1].bowling[0] = {1, 10, 0, 60, 2, 0, 0};
    for (int match = 0; match < 6; ++match) {
        cards[1].bowling[0].runsGiven = 60 - match;
        statistics.addMatch(cards, "Side " + std::to_string(match), "Other", database);
    }
    const auto texts = [](const std::vector<MatchStatistics::Performance>& list) {
        std::string all;
        for (const auto& performance : list)
            all += performance.text + "; ";
        return all;
    };
    EXPECT_EQ(texts(statistics.topScores()), "O Vance 101* (Reds); O Vance 40* (Side 0); "
                                             "O Vance 40* (Side 1); O Vance 40* (Side 2); "
                                             "O Vance 40* (Side 3); ");
    EXPECT_EQ(texts(statistics.bestBowling()), "O Vance 5/31 (Reds); K Reyes 2/55 (Side 5); "
                                               "K Reyes 2/56 (Side 4); K Reyes 2/57 (Side 3); "
                                               "K Reyes 2/58 (Side 2); ");
}

} // namespace
} // namespace quorvel

#pragma once
// The running figures of the innings in play: totals, overs, rates, the chase, the two crease
// slots, the ten bowler rows and the counters of the over in progress. The match screen owns
// and shows them; they are not saved. A default-constructed record is the cleared state.

#include <array>
#include <cstdint>
#include <string>

#include "records/innings.h"

namespace quorvel {

constexpr int kCreaseSlots = 2;
constexpr int kBowlerRows = 10;
constexpr int kNoRow = -1;
// A chase's target rate is the target times this.
constexpr double kTargetRateFactor = 0.02;

// Every bowler row holding `value`.
constexpr std::array<int, kBowlerRows> everyBowlerRow(int value) {
    std::array<int, kBowlerRows> rows{};
    rows.fill(value);
    return rows;
}

struct InningsFigures {
    std::string battingTeamName;
    int totalRuns = 0;
    int totalWickets = 0;
    // Overs bowled as the decimal overs.balls: 12.3 is twelve overs and three balls.
    double oversFigure = 0;
    double runRate = 0;
    // The chase (second innings only).
    int target = 0;
    double targetRate = 0;
    double requiredRate = 0;

    // The two batsmen at the crease, by slot: display names ("Surname, First") and figures.
    std::array<std::string, kCreaseSlots> batsmanNames{};
    std::array<int, kCreaseSlots> batsmanRuns{};
    std::array<int, kCreaseSlots> batsmanBalls{};
    std::array<double, kCreaseSlots> batsmanStrikeRates{};

    // The fielding side and its bowler rows, by row; an empty name is a row without a bowler.
    std::string bowlingTeamName;
    std::array<std::string, kBowlerRows> bowlerNames{};
    std::array<double, kBowlerRows> bowlerOvers{};
    std::array<int, kBowlerRows> bowlerMaidens{};
    std::array<int, kBowlerRows> bowlerRuns{};
    std::array<int, kBowlerRows> bowlerWickets{};
    // Each row's player as a small number, the first row that holds the same name (kNoRow for
    // an empty row), and as the index of the database record found by that name (-1: none).
    // Set with the names by fillBowlerRows; after the names are set any other way,
    // numberBowlerRows sets the numbers. The choice of bowler compares these, not the names.
    std::array<int, kBowlerRows> bowlerPlayers = everyBowlerRow(kNoRow);
    std::array<int, kBowlerRows> bowlerRecords = everyBowlerRow(-1);

    int inningsIndex = 0;
    // Overs completed; while an over is bowled, the index 0..49 of that over.
    int overNumber = 0;
    // The slot 0..5 of the current over that the next delivery fills.
    int ballIndex = 0;
    std::array<int, kCreaseSlots> batsmanIds{kNoPlayer, kNoPlayer};
    int currentBowlerRow = kNoRow;
    int strikerSlot = 0;
    int lastBowlerRow = kNoRow;
    int bowlerBeforeLastRow = kNoRow;

    // The chase's progress bar: range 0..progressRange, position progressPosition.
    int progressRange = 0;
    int progressPosition = 0;

    // The batting side's places (bit p for place p) whose player is on a ball of this innings
    // so far, kept while the match is played so that the next batsman is found without walking
    // the balls. Only when battedKnown is set; figures built any other way leave it unset and
    // the balls are walked. creasePlaces holds each crease slot's places, or'ed in as he faces.
    bool battedKnown = false;
    std::uint16_t battedPlaces = 0;
    std::array<std::uint16_t, kCreaseSlots> creasePlaces{};
};

class Team;
// The places of `side` that hold `playerId`, as bits (a side may hold a player twice).
std::uint16_t placesOf(const Team& side, std::int32_t playerId);
// The places of `side` whose player is on a ball of `innings` up to and including over
// `upToOver`.
std::uint16_t battedPlacesOf(const Team& side, const Innings& innings, int upToOver);
// Works battedPlaces and creasePlaces out from the record and sets battedKnown.
void rememberBattedPlaces(InningsFigures& figures, const Team& side, const Innings& innings);

// Works the rates out again from the totals: the run rate, each crease slot's strike rate and,
// in the second innings, the required rate (kept as it is once every over is bowled) and the
// chase's progress.
void updateRates(InningsFigures& figures);

} // namespace quorvel

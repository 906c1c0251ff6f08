#pragma once
// Shared by the flow, captain, batsman and screen tests: invented sides and a draw source that
// plays back given numbers before handing over to the real generator.

#include <deque>
#include <string>
#include <vector>

#include "engine/random.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "support/test_support.h"

namespace quorvel::test {

// Plays back the queued numbers, then continues with an LCG; counts every draw.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values = {}, std::uint32_t seed = 1)
        : values_(values.begin(), values.end()) {
        random_.seed(seed);
    }
    int draw() override {
        ++draws_;
        if (!values_.empty()) {
            const int value = values_.front();
            values_.pop_front();
            return value;
        }
        return random_.draw();
    }
    void push(int value) { values_.push_back(value); }
    int draws() const { return draws_; }

private:
    std::deque<int> values_;
    Random random_;
    int draws_ = 0;
};

struct PlayerProfile {
    std::string surname;
    int battingFlags = 0;
    int bowlingFlags = 0;
    double battingAverage = 25;
    double strikeRate = 40;
    double economy = 4.5;
    bool keeper = false;
};

inline Player profilePlayer(int id, const PlayerProfile& profile, int country) {
    Player player = makePlayer(id, profile.surname, "Al", country, profile.battingFlags,
                               profile.bowlingFlags, profile.keeper ? keeper::kWicketKeeper : 0);
    player.battingAverage = profile.battingAverage;
    player.bowlingStrikeRate = profile.strikeRate;
    player.economyRate = profile.economy;
    return player;
}

// A plausible eleven: two openers, specialist batsmen, a keeper, five bowlers (two of them
// pace). The surnames are prefixed so that the two sides differ.
inline std::vector<PlayerProfile> standardEleven(const std::string& prefix) {
    return {
        {prefix + "Opal", 0x1, 0, 38, 0, 0},         {prefix + "Onyx", 0x1, 0, 34, 0, 0},
        {prefix + "Beryl", 0x2, 0, 40, 0, 0},        {prefix + "Coral", 0x4, 0x4, 30, 48, 5.0},
        {prefix + "Keeper", 0x4, 0, 28, 0, 0, true}, {prefix + "Flint", 0x8, 0x8, 18, 42, 4.3},
        {prefix + "Garnet", 0x8, 0x1, 12, 33, 4.8},  {prefix + "Jade", 0, 0x2, 9, 36, 4.6},
        {prefix + "Lapis", 0, 0x10, 7, 45, 4.9},     {prefix + "Mica", 0, 0x1, 5, 31, 5.2},
        {prefix + "Quartz", 0, 0, 4, 0, 0},
    };
}

// A database of the two sides (ids 0..10 and 11..21) and a match record holding them, the
// right side computer-captained.
struct TwoSides {
    PlayerDatabase database;
    Scores scores;

    TwoSides(const std::vector<PlayerProfile>& left = standardEleven("L"),
             const std::vector<PlayerProfile>& right = standardEleven("R")) {
        PlayerFile file;
        for (const auto& profile : left)
            file.players.push_back(
                profilePlayer(static_cast<int>(file.players.size()), profile, 4));
        for (const auto& profile : right)
            file.players.push_back(
                profilePlayer(static_cast<int>(file.players.size()), profile, 16));
        database.assign(file);
        scores.reset(0);
        scores.teams[0].setName("Lefts");
        scores.teams[1].setName("Rights");
        scores.teams[0].setComputerControlled(0);
        scores.teams[1].setComputerControlled(1);
        for (int i = 0; i < kTeamSize; ++i) {
            scores.teams[0].setPlayer(i, i < static_cast<int>(left.size()) ? i : -1, database);
            scores.teams[1].setPlayer(i, static_cast<int>(left.size()) + i, database);
        }
    }
};

} // namespace quorvel::test

#pragma once
// The computer's rules for every choice of a match, the user's side included: the given sides,
// the user's call of the toss and election, the computer's incoming batsmen (for the user's
// side picked from the user's own list) and its bowling plan for both sides. The headless
// simulator plays whole matches with them; the win predictor plays the rest of a match.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/bowling_plan.h"
#include "screen/match_session.h"

namespace quorvel {

class PlayerDatabase;
class Random;
class Scores;

class ComputerChoices final : public MatchChoices {
public:
    ComputerChoices(const Scores& sides, const PlayerDatabase& database, Random& random,
                    std::uint32_t seed, bool callHeads, bool electBat)
        : sides_(sides), database_(database), random_(random), seed_(seed), callHeads_(callHeads),
          electBat_(electBat) {}
    void attach(const MatchScreen& screen) { screen_ = &screen; }
    // The user's side chooses its bowlers by the computer's plan but leaves its sliders where
    // they stand (the predictor keeps the user's settings).
    void keepUserSliders() { keepSliders_ = true; }
    // An innings taken up part-way: the user's side's plan is made from its bowler rows now,
    // as it would have been at the innings' first ball.
    void rebuildUserPlan(const InningsFigures& figures) { userPlan_.rebuild(figures, database_); }

    bool chooseSides(Scores& scores) override;
    // A headless match plays into the record that holds its sides.
    bool sidesStandIn(const Scores& record) const override { return &record == &sides_; }
    TossOutcome toss() override;
    bool userBatsFirst() override { return electBat_; }
    std::size_t pickBatsman(int slot, const std::vector<std::string>& candidates) override;
    // The computer's pick, named without the sorted list of candidates.
    bool nameBatsman(int slot, std::string& name) override;
    // The user's side bowls as the computer captain would: its plan's bowler and slider draws.
    void captainUserSide(MatchScreen& screen) override;

private:
    const Scores& sides_;
    const PlayerDatabase& database_;
    Random& random_;
    std::uint32_t seed_;
    bool callHeads_;
    bool electBat_;
    bool keepSliders_ = false;
    const MatchScreen* screen_ = nullptr;
    BowlingPlan userPlan_;
};

} // namespace quorvel

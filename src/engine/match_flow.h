#pragma once
// The flow of a match around the single delivery: the over loop, the end of an over, the three
// ways an innings ends, the switch to the second innings, the innings summary and the result,
// and the choice of each over's bowler (by the user's ">" buttons or the computer captain).

#include <array>
#include <string>

#include "engine/bowling_plan.h"
#include "engine/innings_figures.h"
#include "engine/match_engine.h"

namespace quorvel {

class MatchHost;
class MatchListener;
class PlayerDatabase;
class RandomSource;
class Scores;

enum class MatchState { NoMatch, FirstInnings, SecondInnings, MatchOver };

// The choose-bowler buttons (">") of the ten bowler rows and the "Bowl Over" button.
struct BowlerButtons {
    // Before any innings every ">" stands on the form, disabled.
    std::array<bool, kBowlerRows> shown = [] {
        std::array<bool, kBowlerRows> all{};
        all.fill(true);
        return all;
    }();
    std::array<bool, kBowlerRows> enabled{};
    std::array<bool, kBowlerRows> checked{};
    bool bowlOverEnabled = false;

    // Every ">" disabled and unchecked, "Bowl Over" disabled.
    void disableAll();
    bool anyEnabled() const;
};

// The line shown at the end of an innings: the first innings' summary, or the match result.
std::string inningsResultLine(const InningsFigures& figures);

// The one owner of a match's running figures: it clears them, sets up each innings, plays
// each over through its engine and ends the innings and the match.
class MatchFlow {
public:
    MatchFlow(Scores& scores, const PlayerDatabase& database, MatchHost& host,
              MatchListener& listener, RandomSource& random);
    MatchFlow(const MatchFlow&) = delete;
    MatchFlow& operator=(const MatchFlow&) = delete;

    // No match: every ">" shown and disabled, "Bowl Over" disabled (after start-up, after a
    // match is opened, and when a new match is being set up).
    void stop();
    // The sides are chosen and the toss made: the first innings is set up.
    void startMatch();
    // Clears the running figures for innings 0 or 1 (the second keeps the chase's target).
    void resetFigures(int innings);
    // Sets up the innings in figures().inningsIndex: side names, the chase controls, bowler
    // rows, sliders, the two opening batsmen and the first bowler.
    void setUpInnings();

    // Takes an innings up between two overs from figures worked out elsewhere (a position of
    // a match record): side names, bowler rows, batsmen and counters as given, with the match
    // record already holding the overs bowled. Empty crease slots are filled, the computer's
    // plan is rebuilt from the rows; then the innings is ended if it is over, else the next
    // bowler is chosen. Sliders start in the middle as at the start of an innings.
    void resumeBetweenOvers(const InningsFigures& figures);
    // "Bowl Over": prepares the buttons, bowls the over and, unless the innings ended, chooses
    // the next bowler. Refused silently unless "Bowl Over" is enabled, a bowler is chosen and
    // both batsmen are at the crease.
    void onBowlOver();
    // Bowls the current over; returns true when the innings ended during it.
    bool bowlOver();
    // Before an over: every ">" unchecked; enabled for each row whose player may bowl the next
    // over (not the one about to bowl, not one with ten overs, and not a choice that would
    // leave the rest of the innings impossible to bowl).
    void prepareBowlerButtons();
    // After an over that did not end the innings, and at the start of each innings: the
    // computer captain's row for its side; for the user's side, the bowler of the over before
    // last while he may bowl, else waiting for a ">" press. When no bowler of the side may
    // bowl, or no batsman is left to come in, the innings ends.
    void chooseNextBowler();
    // A ">" press: ignored unless a match is in an innings and the row's button is enabled.
    void selectBowlerRow(int row);
    // The filled rows' buttons shown (enabled when the row may bowl the first over), the rest
    // hidden; nothing checked. Used when the bowler rows are filled for an innings.
    void showBowlerRows();

    void endInnings();
    void showInningsResult();
    void startSecondInnings();

    const InningsFigures& figures() const { return figures_; }
    MatchState state() const { return state_; }
    bool inInnings() const;
    const BowlerButtons& buttons() const { return buttons_; }
    const BowlingPlan& plan() const { return plan_; }
    // The lines shown at the end of innings 0 (summary) and 1 (result); empty until then.
    const std::string& inningsLine(int innings) const;

private:
    void select(int row);
    bool battingSideExhausted() const;

    Scores& scores_;
    const PlayerDatabase& database_;
    MatchHost& host_;
    MatchListener& listener_;
    RandomSource& random_;
    InningsFigures figures_;
    MatchEngine engine_;

    MatchState state_ = MatchState::NoMatch;
    BowlerButtons buttons_;
    BowlingPlan plan_;
    std::array<std::string, 2> inningsLines_{};
};

} // namespace quorvel

#include "engine/match_flow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/bowler_rows.h"
#include "engine/match_engine.h"
#include "engine/match_host.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_log.h"

namespace quorvel {

namespace {

constexpr const char* kOverSeparator = "-------------------------------------------------\r\n";

bool validRow(int row) {
    return row >= 0 && row < kBowlerRows;
}

template <class... Args> std::string format(const char* pattern, Args... args) {
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, args...);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

void BowlerButtons::disableAll() {
    enabled.fill(false);
    checked.fill(false);
    bowlOverEnabled = false;
}

bool BowlerButtons::anyEnabled() const {
    return std::find(enabled.begin(), enabled.end(), true) != enabled.end();
}

std::string inningsResultLine(const InningsFigures& f) {
    const char* batting = f.battingTeamName.c_str();
    const char* bowling = f.bowlingTeamName.c_str();
    if (f.inningsIndex != 1)
        return format("%s scored %d runs for %d wickets in %0.1lf overs at %0.2lf runs per over",
                      batting, f.totalRuns, f.totalWickets, f.oversFigure, f.runRate);
    if (f.totalRuns >= f.target)
        return format("%s scored %d runs for %d wickets in %0.1lf overs, beating %s by %d wickets",
                      batting, f.totalRuns, f.totalWickets, f.oversFigure, bowling,
                      kWicketsPerInnings - f.totalWickets);
    if (f.totalRuns == f.target - 1)
        return format("%s scored %d runs for %d wickets in %0.1lf overs, resulting in a TIED "
                      "match!",
                      batting, f.totalRuns, f.totalWickets, f.oversFigure);
    return format("%s scored %d runs for %d wickets in %0.1lf overs, losing to %s by %d runs",
                  batting, f.totalRuns, f.totalWickets, f.oversFigure, bowling,
                  f.target - 1 - f.totalRuns);
}

MatchFlow::MatchFlow(Scores& scores, const PlayerDatabase& database, InningsFigures& figures,
                     MatchEngine& engine, MatchHost& host, MatchLog& log, RandomSource& random,
                     FlowScreen& screen)
    : scores_(scores), database_(database), figures_(figures), engine_(engine), host_(host),
      log_(log), random_(random), screen_(screen) {}

void MatchFlow::stop() {
    state_ = MatchState::NoMatch;
    buttons_.disableAll();
    buttons_.shown.fill(true);
    inningsLines_ = {};
}

void MatchFlow::beginMatch() {
    state_ = MatchState::FirstInnings;
    buttons_.disableAll();
    inningsLines_ = {};
}

bool MatchFlow::inInnings() const {
    return state_ == MatchState::FirstInnings || state_ == MatchState::SecondInnings;
}

const std::string& MatchFlow::inningsLine(int innings) const {
    return inningsLines_[innings == 1 ? 1 : 0];
}

void MatchFlow::onBowlOver() {
    const int row = figures_.currentBowlerRow;
    if (!inInnings() || !buttons_.bowlOverEnabled || !validRow(row) ||
        figures_.bowlerNames[row].empty() || battingSideExhausted() || figures_.overNumber < 0 ||
        figures_.overNumber >= kOversPerInnings)
        return;
    prepareBowlerButtons();
    if (!bowlOver())
        chooseNextBowler();
}

bool MatchFlow::bowlOver() {
    InningsFigures& f = figures_;
    const int row = f.currentBowlerRow;
    Over& over = engine_.currentOver();
    const Player* bowler =
        validRow(row) ? database_.findByDisplayName(f.bowlerNames[row]) : nullptr;
    over.bowlerId = bowler != nullptr ? bowler->playerId : kNoPlayer;
    f.ballIndex = 0;
    while (f.ballIndex < kBallsPerOver) {
        const DeliveryEnd end = engine_.playDelivery();
        if (end == DeliveryEnd::TenthWicket) {
            endInnings();
            return true;
        }
        if (f.inningsIndex == 1 && f.totalRuns >= f.target) {
            endInnings();
            return true;
        }
        // A side that holds one player twice can run out of batsmen before its tenth wicket.
        if (end == DeliveryEnd::Legal && battingSideExhausted()) {
            endInnings();
            return true;
        }
        ++f.ballIndex;
    }

    f.oversFigure = std::ceil(f.oversFigure);
    if (validRow(row)) {
        f.bowlerOvers[row] = std::ceil(f.bowlerOvers[row]);
        if (over.overRuns() == 0)
            ++f.bowlerMaidens[row];
    }
    engine_.swapStrike();
    engine_.updateRates();
    log_.appendLine(kOverSeparator);
    ++f.overNumber;
    if (f.overNumber >= kOversPerInnings) {
        endInnings();
        return true;
    }
    if (f.overNumber >= 2)
        f.bowlerBeforeLastRow = f.lastBowlerRow;
    f.lastBowlerRow = f.currentBowlerRow;
    screen_.refreshScreen();
    return false;
}

void MatchFlow::prepareBowlerButtons() {
    const auto choosable = BowlerChoiceState::afterCurrentOver(figures_).choosableRows();
    for (int row = 0; row < kBowlerRows; ++row) {
        buttons_.checked[row] = false;
        buttons_.enabled[row] = buttons_.shown[row] && choosable[row];
    }
}

void MatchFlow::showBowlerRows() {
    const auto choosable = BowlerChoiceState::beforeNextOver(figures_).choosableRows();
    for (int row = 0; row < kBowlerRows; ++row) {
        buttons_.shown[row] = !figures_.bowlerNames[row].empty();
        buttons_.enabled[row] = buttons_.shown[row] && choosable[row];
        buttons_.checked[row] = false;
    }
    buttons_.bowlOverEnabled = false;
}

void MatchFlow::chooseNextBowler() {
    if (!inInnings())
        return;
    if (battingSideExhausted()) {
        endInnings();
        return;
    }
    const Team& fielding = scores_.teams[scores_.fieldingSide(figures_.inningsIndex)];
    if (fielding.isComputerControlled()) {
        const CaptainChoice choice = chooseBowler(plan_, figures_, database_, random_);
        host_.setBowlingSliders(choice.bowlingSlider, choice.fieldingSlider);
        if (!validRow(choice.row)) {
            endInnings();
            return;
        }
        for (int row = 0; row < kBowlerRows; ++row)
            if (row != choice.row)
                buttons_.enabled[row] = false;
        select(choice.row);
        return;
    }
    if (!buttons_.anyEnabled()) {
        // Nobody of the side may bowl the over: only a side with fewer than five bowlers can
        // come to this, and its innings cannot go on.
        endInnings();
        return;
    }
    const int returning = figures_.bowlerBeforeLastRow;
    if (figures_.overNumber >= 2 && validRow(returning) && buttons_.enabled[returning]) {
        select(returning);
        return;
    }
    buttons_.checked.fill(false);
    buttons_.bowlOverEnabled = false;
}

void MatchFlow::selectBowlerRow(int row) {
    if (!inInnings() || !validRow(row) || !buttons_.shown[row] || !buttons_.enabled[row])
        return;
    select(row);
}

void MatchFlow::select(int row) {
    figures_.currentBowlerRow = row;
    buttons_.checked.fill(false);
    buttons_.checked[row] = true;
    buttons_.bowlOverEnabled = true;
}

bool MatchFlow::battingSideExhausted() const {
    return figures_.batsmanIds[0] == kNoPlayer || figures_.batsmanIds[1] == kNoPlayer;
}

void MatchFlow::endInnings() {
    showInningsResult();
    if (figures_.inningsIndex == 0) {
        startSecondInnings();
        return;
    }
    state_ = MatchState::MatchOver;
    buttons_.disableAll();
}

void MatchFlow::showInningsResult() {
    screen_.refreshScreen();
    const std::string line = inningsResultLine(figures_);
    inningsLines_[figures_.inningsIndex == 1 ? 1 : 0] = line;
    host_.showMessage(line);
}

void MatchFlow::startSecondInnings() {
    InningsFigures& f = figures_;
    f.requiredRate = 0;
    f.target = f.totalRuns + 1;
    f.targetRate = f.target * kTargetRateFactor;
    f.progressRange = f.target;
    screen_.resetFigures(1);
    state_ = MatchState::SecondInnings;
    buttons_.disableAll();
    screen_.refreshForInnings();
}

} // namespace quorvel

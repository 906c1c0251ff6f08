#include "engine/match_flow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/text_format.h"
#include "engine/bowler_rows.h"
#include "engine/match_engine.h"
#include "engine/match_host.h"
#include "engine/match_listener.h"
#include "records/match_outcome.h"
#include "records/player_database.h"
#include "records/scores.h"

namespace quorvel {

namespace {

constexpr const char* kOverSeparator = "-------------------------------------------------\r\n";

bool validRow(int row) { return row >= 0 && row < kBowlerRows; }

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
        return formatText(
            "%s scored %d runs for %d wickets in %0.1lf overs at %0.2lf runs per over", batting,
            f.totalRuns, f.totalWickets, f.oversFigure, f.runRate);
    const MatchOutcome outcome = matchOutcome(f.target - 1, f.totalRuns, f.totalWickets);
    switch (outcome.winner) {
    case Winner::SecondBatting:
        return formatText(
            "%s scored %d runs for %d wickets in %0.1lf overs, beating %s by %d wickets", batting,
            f.totalRuns, f.totalWickets, f.oversFigure, bowling, outcome.margin);
    case Winner::Tie:
        return formatText("%s scored %d runs for %d wickets in %0.1lf overs, resulting in a TIED "
                          "match!",
                          batting, f.totalRuns, f.totalWickets, f.oversFigure);
    case Winner::FirstBatting:
        break;
    }
    return formatText("%s scored %d runs for %d wickets in %0.1lf overs, losing to %s by %d runs",
                      batting, f.totalRuns, f.totalWickets, f.oversFigure, bowling, outcome.margin);
}

MatchFlow::MatchFlow(Scores& scores, const PlayerDatabase& database, MatchHost& host,
                     MatchListener& listener, RandomSource& random)
    : scores_(scores), database_(database), host_(host), listener_(listener), random_(random),
      engine_(scores, database, figures_, listener, host, random) {
    resetFigures(0);
}

void MatchFlow::stop() {
    state_ = MatchState::NoMatch;
    buttons_.disableAll();
    buttons_.shown.fill(true);
    inningsLines_ = {};
}

void MatchFlow::startMatch() {
    resetFigures(0);
    state_ = MatchState::FirstInnings;
    buttons_.disableAll();
    inningsLines_ = {};
    setUpInnings();
}

void MatchFlow::resetFigures(int innings) {
    InningsFigures& f = figures_;
    f.totalRuns = 0;
    f.totalWickets = 0;
    f.oversFigure = 0;
    f.runRate = 0;
    if (innings == 0) {
        f.target = 0;
        f.targetRate = 0;
        f.requiredRate = 0;
        f.progressRange = 0;
    }
    f.progressPosition = 0;
    f.batsmanRuns = {};
    f.batsmanBalls = {};
    f.batsmanStrikeRates = {};
    for (auto& name : f.bowlerNames)
        name.clear();
    f.bowlerPlayers = everyBowlerRow(kNoRow);
    f.bowlerRecords = everyBowlerRow(-1);
    f.bowlerOvers = {};
    f.bowlerMaidens = {};
    f.bowlerRuns = {};
    f.bowlerWickets = {};
    f.inningsIndex = innings == 1 ? 1 : 0;
    f.overNumber = 0;
    f.ballIndex = 0;
    f.strikerSlot = 0;
    f.batsmanIds = {kNoPlayer, kNoPlayer};
    f.currentBowlerRow = kNoRow;
    f.lastBowlerRow = kNoRow;
    f.bowlerBeforeLastRow = kNoRow;
    f.battedKnown = false;
    f.battedPlaces = 0;
    f.creasePlaces = {};
}

void MatchFlow::setUpInnings() {
    const int innings = figures_.inningsIndex;
    const Team& batting = scores_.teams[scores_.battingSide(innings)];
    const Team& fielding = scores_.teams[scores_.fieldingSide(innings)];
    figures_.battingTeamName = batting.name();
    figures_.bowlingTeamName = fielding.name();
    host_.showChaseControls(innings == 1);
    listener_.inningsStarted(innings);
    fillBowlerRows(figures_, fielding, database_);
    showBowlerRows();
    host_.setUpSliders(batting.isComputerControlled());
    rememberBattedPlaces(figures_, batting, scores_.innings[innings]);
    engine_.bringInBatsman(0);
    engine_.bringInBatsman(1);
    chooseNextBowler();
    host_.refreshScreen();
}

void MatchFlow::resumeBetweenOvers(const InningsFigures& figures) {
    figures_ = figures;
    const int innings = figures_.inningsIndex == 1 ? 1 : 0;
    figures_.inningsIndex = innings;
    rememberBattedPlaces(figures_, scores_.teams[scores_.battingSide(innings)],
                         scores_.innings[innings]);
    state_ = innings == 1 ? MatchState::SecondInnings : MatchState::FirstInnings;
    inningsLines_ = {};
    buttons_.disableAll();
    host_.showChaseControls(innings == 1);
    showBowlerRows();
    host_.setUpSliders(scores_.teams[scores_.battingSide(innings)].isComputerControlled());
    plan_.rebuild(figures_, database_);
    const bool over = figures_.totalWickets >= kWicketsPerInnings ||
                      figures_.overNumber >= kOversPerInnings ||
                      (innings == 1 && figures_.totalRuns >= figures_.target);
    if (over) {
        endInnings();
        return;
    }
    for (int slot = 0; slot < kCreaseSlots; ++slot)
        if (figures_.batsmanIds[slot] == kNoPlayer)
            engine_.bringInBatsman(slot);
    chooseNextBowler();
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
    // The computer's side picks its bowlers by its own plan, so its buttons are only shown: a
    // match nobody watches leaves them as they are.
    const Team& fielding = scores_.teams[scores_.fieldingSide(figures_.inningsIndex)];
    if (listener_.wantsText() || !fielding.isComputerControlled())
        prepareBowlerButtons();
    if (!bowlOver())
        chooseNextBowler();
}

bool MatchFlow::bowlOver() {
    InningsFigures& f = figures_;
    const int row = f.currentBowlerRow;
    Over& over = engine_.currentOver();
    const Player* bowler = validRow(row) ? database_.recordAt(f.bowlerRecords[row]) : nullptr;
    over.bowlerId = bowler != nullptr ? bowler->playerId : kNoPlayer;
    f.ballIndex = 0;
    engine_.beginOver(bowler);
    struct OverEnd {
        MatchEngine& engine;
        ~OverEnd() { engine.endOver(); }
    } overEnd{engine_};
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
        if (isMaiden(over))
            ++f.bowlerMaidens[row];
    }
    engine_.swapStrike();
    if (listener_.wantsText()) {
        engine_.updateRates();
        listener_.commentary(kOverSeparator);
    }
    ++f.overNumber;
    if (f.overNumber >= kOversPerInnings) {
        endInnings();
        return true;
    }
    if (f.overNumber >= 2)
        f.bowlerBeforeLastRow = f.lastBowlerRow;
    f.lastBowlerRow = f.currentBowlerRow;
    host_.refreshScreen();
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
    // A match nobody watches skips the running rates ball by ball; the line needs them once.
    engine_.updateRates();
    host_.refreshScreen();
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
    resetFigures(1);
    state_ = MatchState::SecondInnings;
    buttons_.disableAll();
    setUpInnings();
}

} // namespace quorvel

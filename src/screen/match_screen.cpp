#include "screen/match_screen.h"

#include <algorithm>

#include "engine/bowler_rows.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "setup/batsman_choice.h"

namespace quorvel {

namespace {

constexpr std::array<int, 5> kSliderIds = {slider::kBattingSlot0, slider::kBattingSlot1,
                                           slider::kRunning, slider::kBowling, slider::kFielding};

int clampPosition(int position) {
    return std::clamp(position, slider::kMinPosition, slider::kMaxPosition);
}

} // namespace

MatchScreen::MatchScreen(Scores& scores, const PlayerDatabase& database, RandomSource& random,
                         MatchScreenUser& user)
    : scores_(scores), database_(database), user_(user), sheet_(scores, database),
      engine_(scores, database, figures_, sheet_, log_, *this, random),
      flow_(scores, database, figures_, engine_, *this, log_, random, *this) {
    resetFigures(0);
}

void MatchScreen::initialUpdate() {
    flow_.stop();
    scoresheetEnabled_ = false;
}

void MatchScreen::beginNewMatch(const Scores& chosen) {
    scores_ = chosen;
    resetFigures(0);
    flow_.stop();
}

void MatchScreen::startMatch() {
    scoresheetEnabled_ = true;
    resetFigures(0);
    flow_.beginMatch();
    refreshForInnings();
}

void MatchScreen::resetFigures(int innings) {
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
}

void MatchScreen::refreshForInnings() {
    const int innings = figures_.inningsIndex;
    figures_.battingTeamName = scores_.teams[scores_.battingSide(innings)].name();
    figures_.bowlingTeamName = scores_.teams[scores_.fieldingSide(innings)].name();
    if (innings == 0) {
        showChaseControls(false);
        sheet_.clearTables();
        sheet_.writeHeader();
    } else {
        showChaseControls(true);
    }
    fillBowlerRows();
    setUpSliders();
    bringInBatsman(0);
    bringInBatsman(1);
    flow_.chooseNextBowler();
    refreshScreen();
}

void MatchScreen::showChaseControls(bool show) {
    chaseShown_ = show;
}

void MatchScreen::fillBowlerRows() {
    const Team& fielding = scores_.teams[scores_.fieldingSide(figures_.inningsIndex)];
    quorvel::fillBowlerRows(figures_, fielding, database_);
    flow_.showBowlerRows();
}

void MatchScreen::setUpSliders() {
    for (auto& one : sliders_)
        one.position = slider::kMiddlePosition;
    const bool computerBats =
        scores_.teams[scores_.battingSide(figures_.inningsIndex)].isComputerControlled();
    for (int id : {slider::kRunning, slider::kBattingSlot0, slider::kBattingSlot1})
        sliderAt(id)->enabled = !computerBats;
    for (int id : {slider::kBowling, slider::kFielding})
        sliderAt(id)->enabled = computerBats;
}

void MatchScreen::bringInBatsman(int slot) {
    engine_.bringInBatsman(slot);
}

void MatchScreen::refreshScreen() {
    user_.refresh();
}

bool MatchScreen::moveSlider(int id, int position) {
    SliderState* one = sliderAt(id);
    if (one == nullptr || !one->enabled)
        return false;
    one->position = clampPosition(position);
    return true;
}

const SliderState& MatchScreen::sliderState(int id) const {
    for (std::size_t i = 0; i < kSliderIds.size(); ++i)
        if (kSliderIds[i] == id)
            return sliders_[i];
    return spareSlider_;
}

SliderState* MatchScreen::sliderAt(int id) {
    for (std::size_t i = 0; i < kSliderIds.size(); ++i)
        if (kSliderIds[i] == id)
            return &sliders_[i];
    return nullptr;
}

void MatchScreen::showMessage(const std::string& text) {
    user_.showMessage(text);
}

IncomingBatsman MatchScreen::chooseIncomingBatsman(int slot) {
    IncomingBatsman batsman;
    const Team& batting = scores_.teams[scores_.battingSide(figures_.inningsIndex)];
    if (batting.isComputerControlled()) {
        batsman.playerId = chooseNextBatsman(scores_, figures_, database_, batsman.displayName);
        user_.showComputerSelection(computerSelectionText(batsman.displayName));
        return batsman;
    }
    const std::vector<std::string> candidates = batsmanCandidates(scores_, figures_, database_);
    if (candidates.empty())
        return batsman;
    std::size_t index = user_.pickBatsman(slot, candidates);
    if (index >= candidates.size())
        index = 0;
    batsman.displayName = candidates[index];
    const Player* player = database_.findByDisplayName(batsman.displayName);
    batsman.playerId = player != nullptr ? player->playerId : kNoPlayer;
    return batsman;
}

SliderPositions MatchScreen::readSliders() {
    SliderPositions positions;
    positions.battingSlot0 = sliderState(slider::kBattingSlot0).position;
    positions.battingSlot1 = sliderState(slider::kBattingSlot1).position;
    positions.running = sliderState(slider::kRunning).position;
    positions.bowling = sliderState(slider::kBowling).position;
    positions.fielding = sliderState(slider::kFielding).position;
    return positions;
}

void MatchScreen::setBattingSlider(int slot, int position) {
    if (slot == 0 || slot == 1)
        sliderAt(slot == 0 ? slider::kBattingSlot0 : slider::kBattingSlot1)->position =
            clampPosition(position);
}

void MatchScreen::setBowlingSliders(int bowling, int fielding) {
    sliderAt(slider::kBowling)->position = clampPosition(bowling);
    sliderAt(slider::kFielding)->position = clampPosition(fielding);
}

} // namespace quorvel

#include "screen/match_screen.h"

#include <algorithm>

#include "records/player_database.h"
#include "records/scores.h"
#include "reports/sheet_replay.h"
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
      flow_(scores, database, *this, report_, random) {}

void MatchScreen::initialUpdate() {
    flow_.stop();
    scoresheetEnabled_ = false;
}

void MatchScreen::beginNewMatch(const Scores& chosen) {
    if (&chosen != &scores_)
        scores_ = chosen;
    flow_.resetFigures(0);
    flow_.stop();
}

void MatchScreen::applyToss(const TossDecision& decision) { quorvel::applyToss(scores_, decision); }

void MatchScreen::startMatch() {
    scoresheetEnabled_ = true;
    flow_.startMatch();
}

void MatchScreen::resumeBetweenOvers(const Scores& record, const InningsFigures& figures,
                                     const SliderPositions& userSliders) {
    // The caller may hand over the record the screen already plays into.
    if (&record != &scores_)
        scores_ = record;
    scoresheetEnabled_ = true;
    flow_.resumeBetweenOvers(figures);
    if (!flow_.inInnings() || flow_.figures().inningsIndex != figures.inningsIndex)
        return;
    // The sliders the user may move are the user's side's: put them back where they stood.
    const int positions[] = {userSliders.battingSlot0, userSliders.battingSlot1,
                             userSliders.running, userSliders.bowling, userSliders.fielding};
    for (std::size_t i = 0; i < sliders_.size(); ++i)
        if (sliders_[i].enabled)
            sliders_[i].position = clampPosition(positions[i]);
}

void MatchScreen::takeUpRecord(const Scores& record, const std::string& commentary) {
    scores_ = record;
    replayIntoSheet(sheet_, scores_);
    if (report_.wantsText())
        log_.appendLine(commentary);
}

void MatchScreen::refreshScreen() { user_.refresh(); }

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

void MatchScreen::showMessage(const std::string& text) { user_.showMessage(text); }

IncomingBatsman MatchScreen::chooseIncomingBatsman(int slot) {
    IncomingBatsman batsman;
    const Team& batting = scores_.teams[scores_.battingSide(figures().inningsIndex)];
    if (batting.isComputerControlled()) {
        batsman.playerId = chooseNextBatsman(scores_, figures(), database_, batsman.displayName);
        // Nobody reads the computer's choice in a match played without text.
        if (report_.wantsText())
            user_.showComputerSelection(computerSelectionText(batsman.displayName));
        return batsman;
    }
    if (!user_.nameBatsman(slot, batsman.displayName)) {
        const std::vector<std::string> candidates =
            batsmanCandidates(scores_, figures(), database_);
        if (candidates.empty())
            return batsman;
        std::size_t index = user_.pickBatsman(slot, candidates);
        if (index >= candidates.size())
            index = 0;
        batsman.displayName = candidates[index];
    }
    const Player* player = database_.findByDisplayName(batsman.displayName);
    batsman.playerId = player != nullptr ? player->playerId : kNoPlayer;
    return batsman;
}

SliderPositions MatchScreen::readSliders() {
    // sliders_ holds the sliders in the order of kSliderIds.
    SliderPositions positions;
    positions.battingSlot0 = sliders_[0].position;
    positions.battingSlot1 = sliders_[1].position;
    positions.running = sliders_[2].position;
    positions.bowling = sliders_[3].position;
    positions.fielding = sliders_[4].position;
    return positions;
}

void MatchScreen::setBattingSlider(int slot, int position) {
    if (slot == 0 || slot == 1)
        sliderAt(slot == 0 ? slider::kBattingSlot0 : slider::kBattingSlot1)->position =
            clampPosition(position);
}

void MatchScreen::setUpSliders(bool computerBats) {
    for (auto& one : sliders_)
        one.position = slider::kMiddlePosition;
    for (int id : {slider::kRunning, slider::kBattingSlot0, slider::kBattingSlot1})
        sliderAt(id)->enabled = !computerBats;
    for (int id : {slider::kBowling, slider::kFielding})
        sliderAt(id)->enabled = computerBats;
}

void MatchScreen::showChaseControls(bool show) { chaseShown_ = show; }

void MatchScreen::setBowlingSliders(int bowling, int fielding) {
    sliderAt(slider::kBowling)->position = clampPosition(bowling);
    sliderAt(slider::kFielding)->position = clampPosition(fielding);
}

} // namespace quorvel

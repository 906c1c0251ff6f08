#include "screen/computer_choices.h"

#include <algorithm>

#include "engine/random.h"
#include "records/scores.h"
#include "setup/batsman_choice.h"

namespace quorvel {

bool ComputerChoices::chooseSides(Scores& scores) {
    scores = sides_;
    return true;
}

TossOutcome ComputerChoices::toss() {
    TossCall call;
    if (!callHeads_)
        call.pressTails();
    const bool userWon = call.userWonToss(random_, seed_);
    return {userWon, call.coinFace()};
}

std::size_t ComputerChoices::pickBatsman(int, const std::vector<std::string>& candidates) {
    std::string name;
    if (screen_ == nullptr ||
        chooseNextBatsman(screen_->scores(), screen_->figures(), database_, name) == kNoPlayer)
        return 0;
    const auto at = std::find(candidates.begin(), candidates.end(), name);
    return at == candidates.end() ? 0 : static_cast<std::size_t>(at - candidates.begin());
}

bool ComputerChoices::nameBatsman(int, std::string& name) {
    return screen_ != nullptr &&
           chooseNextBatsman(screen_->scores(), screen_->figures(), database_, name) != kNoPlayer;
}

void ComputerChoices::captainUserSide(MatchScreen& screen) {
    const CaptainChoice choice = chooseBowler(userPlan_, screen.figures(), database_, random_);
    if (!keepSliders_) {
        screen.moveSlider(slider::kBowling, choice.bowlingSlider);
        screen.moveSlider(slider::kFielding, choice.fieldingSlider);
    }
    const auto& buttons = screen.bowlerButtons();
    int row = choice.row;
    if (row < 0 || row >= kBowlerRows || !buttons.enabled[row]) {
        const auto first = std::find(buttons.enabled.begin(), buttons.enabled.end(), true);
        row = first == buttons.enabled.end() ? kNoRow
                                             : static_cast<int>(first - buttons.enabled.begin());
    }
    screen.selectBowlerRow(row);
}

} // namespace quorvel

#pragma once
// The one stand-in for whoever shows a match, shared by the engine tests and the benchmarks:
// it keeps the sliders it is given, notes what it was asked, and brings in the batsmen queued
// for it or, with none queued, the next of the batting order who has not batted yet.

#include <deque>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/innings_figures.h"
#include "engine/match_host.h"
#include "records/player_database.h"
#include "records/scores.h"

namespace quorvel::test {

class FakeHost : public MatchHost {
public:
    explicit FakeHost(const PlayerDatabase& database) : database_(database) {}

    // With no batsman queued, the batting order of the side batting the innings of `figures`.
    void followBattingOrder(const Scores& scores, const InningsFigures& figures) {
        scores_ = &scores;
        figures_ = &figures;
    }

    void showMessage(const std::string& text) override {
        if (recording)
            messages.push_back(text);
    }
    IncomingBatsman chooseIncomingBatsman(int slot) override {
        if (recording)
            slotsAsked.push_back(slot);
        int id = kNoPlayer;
        if (!nextBatsmen.empty()) {
            id = nextBatsmen.front();
            nextBatsmen.pop_front();
        } else if (scores_ != nullptr) {
            const Team& side = scores_->teams[scores_->battingSide(figures_->inningsIndex)];
            for (int place = 0; place < kTeamSize && id == kNoPlayer; ++place)
                if (batted.insert(side.playerAt(place)).second)
                    id = side.playerAt(place);
        }
        const Player* player = database_.findById(id);
        return {id, player ? player->displayName() : std::string()};
    }
    SliderPositions readSliders() override {
        ++sliderReads;
        return sliders;
    }
    void setBattingSlider(int slot, int position) override {
        (slot == 1 ? sliders.battingSlot1 : sliders.battingSlot0) = position;
        if (recording)
            battingSliderSets.push_back({slot, position});
    }
    void setBowlingSliders(int bowling, int fielding) override {
        sliders.bowling = bowling;
        sliders.fielding = fielding;
    }

    // Off, nothing is noted (messages, slots asked, batting slider moves): a long run keeps
    // its memory flat.
    bool recording = true;
    SliderPositions sliders;
    std::vector<std::string> messages;
    std::deque<int> nextBatsmen;
    std::vector<int> slotsAsked;
    std::vector<std::pair<int, int>> battingSliderSets;
    int sliderReads = 0;
    std::set<int> batted; // ids sent in from the batting order

private:
    const PlayerDatabase& database_;
    const Scores* scores_ = nullptr;
    const InningsFigures* figures_ = nullptr;
};

} // namespace quorvel::test

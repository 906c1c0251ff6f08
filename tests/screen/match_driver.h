#pragma once
// Plays whole matches through the match screen's model, the test making the user's choices
// (batsmen, bowlers, sliders) at random and checking the enabling rules before every over.

#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "engine/bowling_plan.h"
#include "engine/flow_fixture.h"
#include "records/scores.h"
#include "screen/match_screen.h"

namespace quorvel::test {

// The user: random picks from the lists, and a record of what the screen showed.
class RandomUser final : public MatchScreenUser {
public:
    explicit RandomUser(std::uint32_t seed) : choices(seed) {}

    void showMessage(const std::string& text) override {
        messages.push_back(text);
        if (text.find(" scored ") != std::string::npos && screen != nullptr)
            inningsEnd.push_back(screen->figures());
    }
    std::size_t pickBatsman(int slot, const std::vector<std::string>& candidates) override {
        pickedSlots.push_back(slot);
        lastCandidates = candidates;
        return choices() % candidates.size();
    }
    void showComputerSelection(const std::string& text) override { announcements.push_back(text); }
    void refresh() override { ++refreshes; }

    const MatchScreen* screen = nullptr;
    std::mt19937 choices;
    std::vector<std::string> messages;
    std::vector<std::string> announcements;
    std::vector<int> pickedSlots;
    std::vector<std::string> lastCandidates;
    // The figures at each innings' end (summary or result shown).
    std::vector<InningsFigures> inningsEnd;
    int refreshes = 0;
};

struct MatchRun {
    TwoSides sides;
    ScriptedRandom random;
    RandomUser user;
    MatchScreen screen;

    MatchRun(std::uint32_t seed, TwoSides setUp = TwoSides())
        : sides(std::move(setUp)), random({}, seed), user(seed * 7919u + 1),
          screen(sides.scores, sides.database, random, user) {
        user.screen = &screen;
    }

    bool userFields() const {
        const Team& fielding =
            sides.scores.teams[sides.scores.fieldingSide(screen.figures().inningsIndex)];
        return !fielding.isComputerControlled();
    }

    // Checks the bowler choice offered before an over, then makes the user's.
    void chooseForUser(bool checkRules = true) {
        const InningsFigures& f = screen.figures();
        const BowlerButtons& buttons = screen.bowlerButtons();
        if (userFields()) {
            if (checkRules) {
                const int returning = f.bowlerBeforeLastRow;
                if (f.overNumber < 2) {
                    EXPECT_FALSE(buttons.bowlOverEnabled) << "over " << f.overNumber;
                } else if (returning >= 0 && buttons.enabled[returning]) {
                    EXPECT_TRUE(buttons.bowlOverEnabled);
                    EXPECT_EQ(f.currentBowlerRow, returning);
                    EXPECT_TRUE(buttons.checked[returning]);
                } else {
                    EXPECT_FALSE(buttons.bowlOverEnabled);
                }
            }
            // Sometimes keep the preselected bowler, otherwise press a random enabled row.
            std::vector<int> offered;
            for (int row = 0; row < kBowlerRows; ++row)
                if (buttons.enabled[row])
                    offered.push_back(row);
            if (!offered.empty() && (!buttons.bowlOverEnabled || user.choices() % 3 == 0))
                screen.selectBowlerRow(offered[user.choices() % offered.size()]);
            screen.moveSlider(slider::kBowling, static_cast<int>(user.choices() % 5));
            screen.moveSlider(slider::kFielding, static_cast<int>(user.choices() % 5));
        } else {
            if (checkRules && buttons.bowlOverEnabled) {
                int enabled = 0;
                for (int row = 0; row < kBowlerRows; ++row)
                    enabled += buttons.enabled[row] ? 1 : 0;
                EXPECT_EQ(enabled, 1);
                EXPECT_TRUE(buttons.enabled[f.currentBowlerRow]);
                const BowlingPlan& plan = screen.flow().plan();
                if (plan.size == kPlanEntries) {
                    EXPECT_EQ(f.currentBowlerRow, plan.entries[planEntryForOver(f.overNumber)]);
                }
            }
            screen.moveSlider(slider::kRunning, static_cast<int>(user.choices() % 5));
            screen.moveSlider(slider::kBattingSlot0, static_cast<int>(user.choices() % 5));
            screen.moveSlider(slider::kBattingSlot1, static_cast<int>(user.choices() % 5));
        }
    }

    // Plays the match to its end; false when it got stuck.
    bool play(bool checkRules = true) {
        screen.startMatch();
        int presses = 0;
        while (screen.flow().inInnings()) {
            chooseForUser(checkRules);
            if (!screen.bowlOverEnabled() || ++presses > 2 * kOversPerInnings + 2)
                return false;
            screen.onBowlOver();
        }
        return screen.state() == MatchState::MatchOver;
    }
};

} // namespace quorvel::test

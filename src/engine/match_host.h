#pragma once
// How the match engine and flow reach whoever shows the match: the match screen in the
// program, a scripted fake in tests. They know nothing else of the outside.

#include <cstdint>
#include <string>

#include "records/innings.h"

namespace quorvel {

// The five "Defensive" (0) to "Aggressive" (4) sliders: the positions of one, and the ids the
// match form gives their controls.
namespace slider {
constexpr int kMinPosition = 0;
constexpr int kMiddlePosition = 2;
constexpr int kMaxPosition = 4;

constexpr int kBattingSlot0 = 1093;
constexpr int kBattingSlot1 = 1094;
constexpr int kRunning = 1097;
constexpr int kBowling = 1098;
constexpr int kFielding = 1099;
} // namespace slider

// The positions of the five sliders, each 0..4.
struct SliderPositions {
    int battingSlot0 = slider::kMiddlePosition;
    int battingSlot1 = slider::kMiddlePosition;
    int running = slider::kMiddlePosition;
    int bowling = slider::kMiddlePosition;
    int fielding = slider::kMiddlePosition;

    // The batting slider of crease slot 0 or 1.
    int batting(int slot) const { return slot == 1 ? battingSlot1 : battingSlot0; }
};

// A batsman coming to the crease.
struct IncomingBatsman {
    std::int32_t playerId = kNoPlayer;
    std::string displayName;
};

class MatchHost {
public:
    virtual ~MatchHost() = default;

    // Shows an information line (a dismissal, an innings summary) and returns once it is read.
    virtual void showMessage(const std::string& text) = 0;
    // The batsman who comes in to crease slot 0 or 1. The choice is mandatory: for a
    // user-captained side it never comes back empty.
    virtual IncomingBatsman chooseIncomingBatsman(int slot) = 0;
    // The sliders' positions at this moment.
    virtual SliderPositions readSliders() = 0;
    // Moves the batting slider of crease slot 0 or 1.
    virtual void setBattingSlider(int slot, int position) = 0;
    // Moves the bowling and fielding sliders (the computer captain's settings for an over).
    virtual void setBowlingSliders(int bowling, int fielding) = 0;

    // A new innings: every slider back to the middle, the batting side's sliders enabled for
    // the user (running and both batsmen) or the bowling side's (bowling and fielding) when the
    // computer bats.
    virtual void setUpSliders(bool computerBats) { (void)computerBats; }
    // Shows or hides the chase controls (second innings only).
    virtual void showChaseControls(bool show) { (void)show; }
    // The running figures changed at the end of an over or an innings: redraw them.
    virtual void refreshScreen() {}
};

} // namespace quorvel

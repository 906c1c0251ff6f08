#pragma once
// "Toss": the user calls heads or tails with two push-like buttons, exactly one pressed at any
// time ("Heads" at first). Whatever way it is closed, the call shown stands.

#include <cstdint>

#include "setup/toss.h"
#include "ui/CTemplateDialog.h"

class wxToggleButton;

namespace quorvel {
class Random;
}

class CTossDialog : public CTemplateDialog {
public:
    static constexpr int kHeadsId = 1080;
    static constexpr int kTailsId = 1081;

    explicit CTossDialog(wxWindow* parent);

    bool callsHeads() const { return call_.callsHeads(); }
    // Tosses the coin with tossCoin() (seeding the program's generator from the clock) and
    // tells whether the user called it right.
    bool userWonToss();
    // The same with a given generator and seed.
    bool userWonToss(quorvel::Random& random, std::uint32_t seed);
    // The face the coin showed: 0 heads, 1 tails.
    int coinFace() const { return call_.coinFace(); }

private:
    void onPress(wxCommandEvent& event);
    void showCall();

    quorvel::TossCall call_;
    wxToggleButton* heads_ = nullptr;
    wxToggleButton* tails_ = nullptr;
};

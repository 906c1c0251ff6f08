#pragma once
// "Player Filter": nine check boxes, one per country, edited from a caller's country mask.
// "OK" (or Enter) takes the boxes; Escape closes without taking them, so resultMask() gives back
// the mask the dialog was built with (bits above bit 8 dropped).

#include <array>
#include <cstdint>

#include "browser/player_filter.h"
#include "ui/CTemplateDialog.h"

class wxCheckBox;

class CPlayerFilterDialog : public CTemplateDialog {
public:
    // Check box of country k (0..8, code order) has id kFirstBoxId + k.
    static constexpr int kFirstBoxId = 1122;

    CPlayerFilterDialog(wxWindow* parent, std::int32_t countryMask);

    std::int32_t resultMask() const { return filter_.resultMask(); }

private:
    void onOk(wxCommandEvent& event);

    quorvel::PlayerFilter filter_;
    std::array<wxCheckBox*, quorvel::kCountryCount> boxes_{};
};

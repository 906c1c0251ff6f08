#pragma once
// The country filter: nine check boxes, one per country, edited from a caller's country mask
// and handed back as a new mask.

#include <array>
#include <cstdint>

#include "records/player.h"

namespace quorvel {

class PlayerFilter {
public:
    // Check box k (0..8, in country-code order) starts ticked when bit k of mask is set; bits
    // above bit 8 are dropped.
    explicit PlayerFilter(std::int32_t mask);

    // The box states, as "OK" copies them from the controls. Closing any other way leaves the
    // states the filter was built with. Boxes outside 0..8 do not exist: nothing happens.
    void setChecked(int k, bool checked);
    bool isChecked(int k) const;

    // The sum over k of (box k ticked) << k: 0..511.
    std::int32_t resultMask() const;

private:
    std::array<bool, kCountryCount> checked_{};
};

} // namespace quorvel

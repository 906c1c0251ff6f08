#include "browser/player_filter.h"

namespace quorvel {

PlayerFilter::PlayerFilter(std::int32_t mask) {
    for (int k = 0; k < kCountryCount; ++k)
        checked_[k] = (mask >> k & 1) != 0;
}

void PlayerFilter::setChecked(int k, bool checked) {
    if (k >= 0 && k < kCountryCount)
        checked_[k] = checked;
}

bool PlayerFilter::isChecked(int k) const { return k >= 0 && k < kCountryCount && checked_[k]; }

std::int32_t PlayerFilter::resultMask() const {
    std::int32_t mask = 0;
    for (int k = 0; k < kCountryCount; ++k)
        if (checked_[k])
            mask |= 1 << k;
    return mask;
}

} // namespace quorvel

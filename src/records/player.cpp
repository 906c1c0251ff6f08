#include "records/player.h"

#include <array>
#include <bit>

namespace quorvel {

namespace {
constexpr std::array<std::string_view, kCountryCount> kCountryNames = {
    "Australia",    "England",   "India",       "New Zealand", "Pakistan",
    "South Africa", "Sri Lanka", "West Indies", "Zimbabwe",
};
} // namespace

std::string_view countryName(std::int32_t code) {
    if (code <= 0 || code > kAllCountries || !std::has_single_bit(static_cast<std::uint32_t>(code)))
        return {};
    return kCountryNames[std::countr_zero(static_cast<std::uint32_t>(code))];
}

std::optional<std::int32_t> countryCode(std::string_view name) {
    for (int i = 0; i < kCountryCount; ++i)
        if (kCountryNames[i] == name)
            return 1 << i;
    return std::nullopt;
}

std::string Player::displayName() const {
    std::string name(surname.view());
    name += ", ";
    name += firstName.view();
    return name;
}

std::string Player::fullName() const {
    std::string name(firstName.view());
    name += ' ';
    name += surname.view();
    return name;
}

std::string_view countryNameAt(int index) {
    return index >= 0 && index < kCountryCount ? kCountryNames[index] : std::string_view{};
}

} // namespace quorvel

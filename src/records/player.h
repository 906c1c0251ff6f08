#pragma once
// A player who can be picked for a side: names, country, styles and career figures.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/archive.h"
#include "records/compact_string.h"

namespace quorvel {

// Country codes: one bit per country; a mask of all nine is kAllCountries.
constexpr int kCountryCount = 9;
constexpr std::int32_t kAllCountries = 511;
// The country's name for a single-bit code, or an empty view for anything else.
std::string_view countryName(std::int32_t code);
// The code of a country named exactly as countryName gives it.
std::optional<std::int32_t> countryCode(std::string_view name);
// The name of country number index (0..8) in code order.
std::string_view countryNameAt(int index);

// Bowling style bits (the low five bits of bowlingFlags) and the left-arm bit.
namespace bowling {
constexpr std::int32_t kFast = 0x1;
constexpr std::int32_t kFastMedium = 0x2;
constexpr std::int32_t kMedium = 0x4;
constexpr std::int32_t kOffSpin = 0x8;
constexpr std::int32_t kLegSpin = 0x10;
constexpr std::int32_t kAnyStyle = 0x1F;
constexpr std::int32_t kPace = 0x3;
constexpr std::int32_t kSpin = 0x18;
constexpr std::int32_t kLeftArm = 0x100;
} // namespace bowling

// Batting role bits and the left-hand bit.
namespace batting {
constexpr std::int32_t kOpener = 0x1;
constexpr std::int32_t kFirstChoice = 0x2;
constexpr std::int32_t kSecondChoice = 0x4;
constexpr std::int32_t kLowerOrder = 0x8;
constexpr std::int32_t kLeftHand = 0x100;
} // namespace batting

namespace keeper {
constexpr std::int32_t kWicketKeeper = 0x1;
constexpr std::int32_t kPredefined = 0x10;
} // namespace keeper

struct Player {
    std::int32_t hundreds = 0;
    std::int32_t fifties = 0;
    double battingAverage = 0;
    CompactString bestBowling;
    double bowlingAverage = 0;
    double economyRate = 0;
    double bowlingStrikeRate = 0;
    std::int32_t reservedA = 0;
    std::int32_t country = 0;
    CompactString firstName;
    CompactString highestScore;
    std::int32_t playerId = 0;
    std::int32_t inningsPlayed = 0;
    CompactString surname;
    std::int32_t maidens = 0;
    std::int32_t matches = 0;
    std::int32_t notOuts = 0;
    double oversBowled = 0;
    std::int32_t runsScored = 0;
    std::int32_t runsConceded = 0;
    std::int32_t reservedB = 0;
    std::int32_t wickets = 0;
    std::int32_t battingFlags = 0;
    std::int32_t bowlingFlags = 0;
    std::int32_t keeperFlags = 0;

    // The bytes of a record apart from its four strings and their prefixes.
    static constexpr std::size_t kFixedSize = 104;

    void serialize(ArchiveWriter& ar) const { fields(*this, ar); }
    void serialize(ArchiveReader& ar) { fields(*this, ar); }
    // Reads through any archive-like reader with io() overloads (used to locate fields).
    template <class Reader> void readWith(Reader& reader) { fields(*this, reader); }

    // "Surname, First": every list shows this, and findByDisplayName parses it back.
    std::string displayName() const;
    // "First Surname", the browser's heading.
    std::string fullName() const;
    // The first character of the first name, a blank when there is none (commentary, scoresheet).
    char initial() const { return firstName.empty() ? ' ' : firstName.front(); }

    bool isBowler() const { return (bowlingFlags & bowling::kAnyStyle) != 0; }
    bool isPace() const { return (bowlingFlags & bowling::kPace) != 0; }
    bool isSpinner() const { return (bowlingFlags & bowling::kSpin) != 0; }
    bool isWicketKeeper() const { return (keeperFlags & keeper::kWicketKeeper) != 0; }
    bool isPredefined() const { return (keeperFlags & keeper::kPredefined) != 0; }

    friend bool operator==(const Player&, const Player&) = default;

private:
    template <class Self, class Archive> static void fields(Self& self, Archive& ar) {
        ar.io(self.hundreds);
        ar.io(self.fifties);
        ar.io(self.battingAverage);
        ar.io(self.bestBowling);
        ar.io(self.bowlingAverage);
        ar.io(self.economyRate);
        ar.io(self.bowlingStrikeRate);
        ar.io(self.reservedA);
        ar.io(self.country);
        ar.io(self.firstName);
        ar.io(self.highestScore);
        ar.io(self.playerId);
        ar.io(self.inningsPlayed);
        ar.io(self.surname);
        ar.io(self.maidens);
        ar.io(self.matches);
        ar.io(self.notOuts);
        ar.io(self.oversBowled);
        ar.io(self.runsScored);
        ar.io(self.runsConceded);
        ar.io(self.reservedB);
        ar.io(self.wickets);
        ar.io(self.battingFlags);
        ar.io(self.bowlingFlags);
        ar.io(self.keeperFlags);
    }
};

} // namespace quorvel

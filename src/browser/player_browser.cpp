#include "browser/player_browser.h"

#include <array>

namespace quorvel {

namespace {

using Box = PlayerBrowser::Box;
using BoxKind = PlayerBrowser::BoxKind;

constexpr Box integerBox(int id, int max) { return {id, BoxKind::Integer, 0, double(max), 0}; }
constexpr Box numberBox(int id, int max) { return {id, BoxKind::Number, 0, double(max), 0}; }
constexpr Box textBox(int id, std::size_t maxChars) { return {id, BoxKind::Text, 0, 0, maxChars}; }

// The read-back order follows the record's own field order (the hidden count first).
constexpr std::array<Box, 21> kBoxes = {
    Box{PlayerBrowser::kListedCountId, BoxKind::UnrangedInteger, 0, 0, 0},
    textBox(PlayerBrowser::kFullNameId, 32),
    textBox(PlayerBrowser::kBattingHandId, 24),
    textBox(PlayerBrowser::kBowlingId, 24),
    textBox(PlayerBrowser::kCountryId, 16),
    integerBox(1012, 50),    // hundreds
    integerBox(1013, 200),   // fifties
    numberBox(1011, 200),    // battingAverage
    textBox(1019, 8),        // bestBowling
    numberBox(1018, 200),    // bowlingAverage
    numberBox(1021, 100),    // economyRate
    numberBox(1020, 500),    // bowlingStrikeRate
    textBox(1010, 8),        // highestScore
    integerBox(1007, 500),   // inningsPlayed
    integerBox(1015, 2000),  // maidens
    integerBox(1006, 1000),  // matches
    integerBox(1008, 1000),  // notOuts
    numberBox(1014, 5000),   // oversBowled
    integerBox(1009, 25000), // runsScored
    integerBox(1016, 20000), // runsConceded
    integerBox(1017, 1000),  // wickets
};

std::string_view styleName(std::int32_t style) {
    switch (style) {
    case bowling::kFast:
        return "Fast";
    case bowling::kFastMedium:
        return "Fast Medium";
    case bowling::kMedium:
        return "Medium";
    case bowling::kOffSpin:
        return "Off Spin";
    case bowling::kLegSpin:
        return "Leg Spin";
    default:
        return " ";
    }
}

} // namespace

std::string battingHandText(const Player& player) {
    return (player.battingFlags & batting::kLeftHand) != 0 ? "Left Hand Bat" : "Right hand Bat";
}

std::string bowlingText(const Player& player) {
    if (player.isWicketKeeper())
        return "Wicket Keeper";
    if (player.bowlingFlags == 0)
        return " ";
    std::string text =
        (player.bowlingFlags & bowling::kLeftArm) != 0 ? "Left Hand " : "Right Hand ";
    text += styleName(player.bowlingFlags & bowling::kAnyStyle);
    return text;
}

std::optional<std::string> countryText(std::int32_t country) {
    const auto name = countryName(country);
    if (name.empty())
        return std::nullopt;
    return std::string(name);
}

std::span<const PlayerBrowser::Box> PlayerBrowser::boxes() { return kBoxes; }

PlayerBrowser::PlayerBrowser(const PlayerDatabase& database) : database_(database) {}

void PlayerBrowser::preselectPlayer(const std::string& displayName) {
    hasPreselection_ = true;
    preselectedName_ = displayName;
}

void PlayerBrowser::refillPlayerList() {
    listedCount_ = fillPlayerList(list_, database_, countryMask_);
    if (!hasPreselection_)
        return;
    // The entry of exactly that name comes first, so a player whose name differs from another's
    // only in case is not mistaken for the other.
    int index = list_.findExact(preselectedName_);
    if (index < 0)
        index = list_.findPrefixNoCase(preselectedName_);
    if (index >= 0)
        selectEntry(index);
}

void PlayerBrowser::applyFilter(std::int32_t resultMask) {
    countryMask_ = resultMask;
    refillPlayerList();
}

void PlayerBrowser::selectEntry(int index) {
    if (index < 0 || index >= list_.count())
        return;
    list_.clearSelection();
    list_.setSelected(index, true);
    showSelectedPlayer();
}

void PlayerBrowser::showSelectedPlayer() {
    const auto selection = list_.selection();
    if (selection.empty())
        return;
    const Player* player = database_.findByDisplayName(list_.text(selection.front()));
    if (player == nullptr)
        return;
    shownPlayer_ = *player;
    fullName_ = player->fullName();
    battingHandText_ = quorvel::battingHandText(*player);
    bowlingText_ = quorvel::bowlingText(*player);
    if (auto country = quorvel::countryText(player->country))
        countryText_ = std::move(*country);
}

std::string PlayerBrowser::controlText(int controlId) const {
    switch (controlId) {
    case kListedCountId:
        return formatInteger(listedCount_);
    case kFullNameId:
        return fullName_;
    case kBattingHandId:
        return battingHandText_;
    case kBowlingId:
        return bowlingText_;
    case kCountryId:
        return countryText_;
    default:
        return figureText(shownPlayer_, controlId);
    }
}

std::string figureText(const Player& p, int controlId) {
    switch (controlId) {
    case 1006:
        return formatInteger(p.matches);
    case 1007:
        return formatInteger(p.inningsPlayed);
    case 1008:
        return formatInteger(p.notOuts);
    case 1009:
        return formatInteger(p.runsScored);
    case 1010:
        return p.highestScore.str();
    case 1011:
        return formatNumber(p.battingAverage);
    case 1012:
        return formatInteger(p.hundreds);
    case 1013:
        return formatInteger(p.fifties);
    case 1014:
        return formatNumber(p.oversBowled);
    case 1015:
        return formatInteger(p.maidens);
    case 1016:
        return formatInteger(p.runsConceded);
    case 1017:
        return formatInteger(p.wickets);
    case 1018:
        return formatNumber(p.bowlingAverage);
    case 1019:
        return p.bestBowling.str();
    case 1020:
        return formatNumber(p.bowlingStrikeRate);
    case 1021:
        return formatNumber(p.economyRate);
    default:
        return {};
    }
}

std::optional<DialogMessage>
PlayerBrowser::readBack(const std::function<std::string(int)>& textOf) const {
    // The list itself reads back its selection, which cannot fail.
    for (const Box& box : kBoxes) {
        const std::string text = textOf(box.controlId);
        std::string message;
        switch (box.kind) {
        case BoxKind::Integer:
            message = readInteger(text, static_cast<std::int32_t>(box.min),
                                  static_cast<std::int32_t>(box.max))
                          .message;
            break;
        case BoxKind::UnrangedInteger:
            message = readInteger(text).message;
            break;
        case BoxKind::Number:
            message = readNumber(text, box.min, box.max).message;
            break;
        case BoxKind::Text:
            message = readText(text, box.maxChars).message;
            break;
        }
        if (!message.empty())
            return DialogMessage{std::move(message), box.controlId};
    }
    return std::nullopt;
}

} // namespace quorvel

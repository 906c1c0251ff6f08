#pragma once
// The Player Browser: a sorted, country-filtered list of players and, for the selected one, his
// name, country, batting hand, bowling style or keeping role and his career figures as held in
// the database. It changes nothing in the database.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "browser/player_list.h"
#include "common/dialog_fields.h"
#include "records/player_database.h"

namespace quorvel {

// "Left Hand Bat" or "Right hand Bat".
std::string battingHandText(const Player& player);
// "Wicket Keeper" for a keeper, else the arm and style ("Right Hand Fast Medium"), else " ".
std::string bowlingText(const Player& player);
// The country's name, or none for a code that is not one country.
std::optional<std::string> countryText(std::int32_t country);
// The text a figure box (1006 to 1021) shows for a player; empty for any other id.
std::string figureText(const Player& player, int controlId);

class PlayerBrowser {
public:
    // Control ids of the list and the boxes.
    static constexpr int kPlayerListId = 1000;
    static constexpr int kListedCountId = 1129;
    static constexpr int kFullNameId = 1002;
    static constexpr int kBattingHandId = 1003;
    static constexpr int kBowlingId = 1004;
    static constexpr int kCountryId = 1005;

    // UnrangedInteger is the hidden count, which any 32-bit value passes.
    enum class BoxKind { Integer, UnrangedInteger, Number, Text };
    // One text box: for an integer or number box its range, for a text box its character limit.
    struct Box {
        int controlId;
        BoxKind kind;
        double min;
        double max;
        std::size_t maxChars;
    };
    // Every text box, in the order the boxes are read back.
    static std::span<const Box> boxes();

    explicit PlayerBrowser(const PlayerDatabase& database = playerDatabase());

    // Names the player (by display name) to select whenever the list is filled.
    void preselectPlayer(const std::string& displayName);

    // Fills the list through the country mask; then selects and shows the preselected player
    // (the entry of exactly his name, else the first that begins with it ignoring case) when he
    // is listed, else leaves the list without a selection.
    void refillPlayerList();
    // A new mask from the Player Filter; the list is filled again.
    void applyFilter(std::int32_t resultMask);
    // Selecting an entry shows its player; an index outside the list changes nothing.
    void selectEntry(int index);
    // Shows the player of the selected entry. Without a selection, or when the entry is not
    // found by its display name, the fields stay as they are.
    void showSelectedPlayer();

    // The text a box shows for the current fields ("%d", "%.*g" with precision 15, or the text);
    // an empty text for an id that is not a box.
    std::string controlText(int controlId) const;
    // Reads every box back in order, taking each box's text from textOf; the first box that fails
    // gives the message to show and the box to focus. The values read are not kept.
    std::optional<DialogMessage> readBack(const std::function<std::string(int)>& textOf) const;

    const ListBoxModel& playerList() const { return list_; }
    const Player& shownPlayer() const { return shownPlayer_; }
    const std::string& fullName() const { return fullName_; }
    const std::string& countryText() const { return countryText_; }
    const std::string& battingHandText() const { return battingHandText_; }
    const std::string& bowlingText() const { return bowlingText_; }
    std::int32_t countryMask() const { return countryMask_; }
    bool hasPreselection() const { return hasPreselection_; }
    const std::string& preselectedName() const { return preselectedName_; }
    std::int32_t listedCount() const { return listedCount_; }

private:
    const PlayerDatabase& database_;
    ListBoxModel list_{ListBoxModel::Order::SortedNoCase};
    Player shownPlayer_;
    std::string fullName_;
    std::string countryText_;
    std::string battingHandText_;
    std::string bowlingText_;
    std::int32_t countryMask_ = kAllCountries;
    bool hasPreselection_ = false;
    std::string preselectedName_;
    std::int32_t listedCount_ = 0;
};

} // namespace quorvel

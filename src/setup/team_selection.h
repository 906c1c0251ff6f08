#pragma once
// Choosing the two sides of a new match: the two side lists and the middle list of available
// players, the two side names, the coupled "Computer" boxes, the OK check and the storing of
// both sides into the match record. Usable without any window (a headless match builds its
// sides with it, or with the free functions at the end).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/player_list.h"
#include "common/dialog_fields.h"
#include "records/player_database.h"
#include "records/scores.h"

namespace quorvel {

// Left is team 1, stored as teams[0]; Right is team 2, stored as teams[1].
enum class TeamSide { Left = 0, Right = 1 };

// A side accepted in an earlier Select Teams, as read back from the per-user settings.
struct RememberedSide {
    std::string name;
    bool computer = false;
    std::vector<std::int32_t> playerIds; // in batting order, as stored
};

// One side as the settings keep it: "<computer 0 or 1>;<player ids, comma-separated>;<name>".
std::string rememberedSideText(const Team& team);
// Reads a stored side back: none when the text is not of that form, holds more than eleven
// ids or a name longer than a name box takes. Ids are not checked against the database here.
std::optional<RememberedSide> parseRememberedSide(std::string_view text);

class TeamSelection {
public:
    static constexpr std::size_t kMaxNameLength = 16;
    // Control ids of the name boxes, for the focus after a failed read.
    static constexpr int kLeftNameBoxId = 1071;
    static constexpr int kRightNameBoxId = 1072;

    // The state of a freshly opened dialog: names "India" and "Pakistan", the right side
    // computer-captained, every country listed, both sides empty, OK disabled.
    explicit TeamSelection(const PlayerDatabase& database = playerDatabase());

    // Fills the middle list from the country mask. Players already placed in either side are
    // left out, so no player can be placed twice.
    void refillPlayerList();
    // A new country mask from the Player Filter; the middle list is filled again.
    void applyFilter(std::int32_t resultMask);

    // Moves the selected middle-list entries (in list order) to the end of the side. Refused,
    // returning false and changing nothing, when the side would pass 11 players.
    bool moveToTeam(TeamSide side);
    // Moves the selected entries of the side back into the middle list.
    void moveToPool(TeamSide side);

    // Runs the OK check and returns whether OK is enabled: both sides hold 11 or more entries,
    // both names are set and differ (case-sensitively), and among the first eleven of each side
    // (the players OK stores) there are a wicket-keeper and at least 5 bowlers, every one of the
    // eleven being found by display name.
    bool updateOkButton();
    bool okEnabled() const { return okEnabled_; }

    // The text of a side's name box, as typed; nothing is checked until the controls are read.
    void setName(TeamSide side, std::string text);
    const std::string& name(TeamSide side) const { return names_[index(side)]; }
    // Reads the name boxes (the right one first): a name of more than 16 characters fails with
    // the standard message and that box's id.
    std::optional<DialogMessage> readControls() const;
    // The user typed into a name box: the text is taken, the controls read and, when the read
    // succeeds, the OK check run. Returns the message of a failed read.
    std::optional<DialogMessage> nameEdited(TeamSide side, std::string text);

    // A click on either "Computer" box flips both, so exactly one side is computer-captained.
    void toggleComputer();
    bool isComputer(TeamSide side) const { return computer_[index(side)]; }

    // Loads the predefined team of the country named in the side's name box: the side is
    // emptied, the middle list shows that country alone, and every player of the country
    // flagged for its predefined team (database order) moves from the middle list to the side.
    // Returns the message to show when the read fails or the name is not exactly a country name
    // (then nothing changes), or, after loading, when some of the predefined players were left
    // out because the other side already holds them (the message names them).
    std::optional<DialogMessage> selectPredefinedTeam(TeamSide side);

    // Puts the last accepted sides back: names, "Computer" boxes and both elevens, every country
    // listed in the middle list. A player the database no longer holds, or one already placed,
    // is left out and named in the returned message. Boxes stored both ticked or both clear
    // stay as they are, so that exactly one side is the computer's.
    std::optional<DialogMessage> restoreSides(const std::array<RememberedSide, 2>& sides);

    // The balance advice for the side, judged on every entry.
    std::string balanceHint(TeamSide side) const;

    struct AcceptOutcome {
        bool accepted = false;
        // Set when the read of the controls failed: show it and keep the dialog open.
        std::optional<DialogMessage> message;
    };
    // OK: reads the controls and runs the OK check; when both pass, stores each side into its
    // team (name, the ids of its first eleven entries, the computer flag) and accepts. Otherwise
    // nothing is written and the dialog stays open.
    AcceptOutcome accept(Scores& scores);

    ListBoxModel& playerList() { return playerList_; }
    const ListBoxModel& playerList() const { return playerList_; }
    ListBoxModel& teamList(TeamSide side) { return teams_[index(side)]; }
    const ListBoxModel& teamList(TeamSide side) const { return teams_[index(side)]; }
    std::int32_t countryMask() const { return countryMask_; }
    int listedCount() const { return listedCount_; }

private:
    static std::size_t index(TeamSide side) { return side == TeamSide::Left ? 0 : 1; }

    const PlayerDatabase& database_;
    ListBoxModel playerList_{ListBoxModel::Order::SortedNoCase};
    std::array<ListBoxModel, 2> teams_{ListBoxModel(ListBoxModel::Order::Unsorted),
                                       ListBoxModel(ListBoxModel::Order::Unsorted)};
    std::array<std::string, 2> names_{"India", "Pakistan"};
    std::array<bool, 2> computer_{false, true};
    int listedCount_ = 0;
    std::int32_t countryMask_ = kAllCountries;
    bool okEnabled_ = false;
};

// The message "Select" shows for a name that is not one of the nine countries.
inline constexpr const char* kNotPredefinedMessage =
    "You have to select one of the predefined teams";

// A country's predefined team as "Select" builds it: the display names of every player whose
// country is exactly countryCode and whose keeperFlags has the predefined-team bit, in
// database order.
std::vector<std::string> predefinedTeam(const PlayerDatabase& database, std::int32_t countryCode);

// Whether a side's entries pass the OK check for one side: at least 11 entries, every one of the
// first eleven found by display name with an id the team can store, and among those eleven a
// wicket-keeper and at least 5 bowlers.
bool sideIsPlayable(const std::vector<std::string>& entries, const PlayerDatabase& database);

// Stores a side as OK stores it: the team is reset, then given the name, the ids of the players
// that findByDisplayName gives for the first eleven entries, and the computer flag.
void storeSide(Team& team, const std::string& name, const std::vector<std::string>& entries,
               bool computerControlled, const PlayerDatabase& database);

} // namespace quorvel

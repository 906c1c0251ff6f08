#include "setup/team_selection.h"

#include <algorithm>
#include <charconv>

#include "setup/team_hints.h"

namespace quorvel {

namespace {

// Takes the selected entries out of a list, in ascending list order.
std::vector<std::string> takeSelected(ListBoxModel& list) {
    const auto positions = list.selection();
    std::vector<std::string> texts;
    texts.reserve(positions.size());
    for (const int position : positions)
        texts.push_back(list.text(position));
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        list.remove(*it);
    return texts;
}

} // namespace

TeamSelection::TeamSelection(const PlayerDatabase& database) : database_(database) {
    refillPlayerList();
}

void TeamSelection::refillPlayerList() {
    std::vector<std::string> placed = teams_[0].entries();
    placed.insert(placed.end(), teams_[1].entries().begin(), teams_[1].entries().end());
    listedCount_ = fillPlayerList(playerList_, database_, countryMask_, placed);
}

void TeamSelection::applyFilter(std::int32_t resultMask) {
    countryMask_ = resultMask;
    refillPlayerList();
}

bool TeamSelection::moveToTeam(TeamSide side) {
    ListBoxModel& team = teams_[index(side)];
    if (team.count() > kTeamSize - playerList_.selectedCount())
        return false;
    for (auto& text : takeSelected(playerList_))
        team.add(std::move(text));
    updateOkButton();
    return true;
}

void TeamSelection::moveToPool(TeamSide side) {
    for (auto& text : takeSelected(teams_[index(side)]))
        playerList_.add(std::move(text));
    updateOkButton();
}

bool TeamSelection::updateOkButton() {
    okEnabled_ = false;
    // A failed read does not stop the check; accept() refuses an unreadable name itself.
    const auto& left = names_[0];
    const auto& right = names_[1];
    if (left.empty() || right.empty() || left == right)
        return false;
    if (!sideIsPlayable(teams_[0].entries(), database_) ||
        !sideIsPlayable(teams_[1].entries(), database_))
        return false;
    okEnabled_ = true;
    return true;
}

void TeamSelection::setName(TeamSide side, std::string text) {
    names_[index(side)] = std::move(text);
}

std::optional<DialogMessage> TeamSelection::readControls() const {
    // The right box is read first.
    for (const TeamSide side : {TeamSide::Right, TeamSide::Left}) {
        auto read = readText(names_[index(side)], kMaxNameLength);
        if (!read.ok())
            return DialogMessage{std::move(read.message),
                                 side == TeamSide::Left ? kLeftNameBoxId : kRightNameBoxId};
    }
    return std::nullopt;
}

std::optional<DialogMessage> TeamSelection::nameEdited(TeamSide side, std::string text) {
    setName(side, std::move(text));
    if (auto failure = readControls())
        return failure;
    updateOkButton();
    return std::nullopt;
}

void TeamSelection::toggleComputer() {
    computer_[0] = !computer_[0];
    computer_[1] = !computer_[1];
}

std::optional<DialogMessage> TeamSelection::selectPredefinedTeam(TeamSide side) {
    if (auto failure = readControls())
        return failure;
    const auto code = countryCode(names_[index(side)]);
    if (!code)
        return DialogMessage{kNotPredefinedMessage, 0};

    ListBoxModel& team = teams_[index(side)];
    team.clear();
    countryMask_ = *code;
    refillPlayerList();
    // A flagged player whom the other side already holds is not in the middle list and is not
    // taken a second time; the user is told who was left out.
    std::string leftOut;
    for (auto& name : predefinedTeam(database_, *code)) {
        const int at = playerList_.findExact(name);
        if (at < 0) {
            leftOut += "\r\n" + name;
            continue;
        }
        playerList_.remove(at);
        team.add(std::move(name));
    }
    updateOkButton();
    if (!leftOut.empty())
        return DialogMessage{"The other side already holds these players of the " +
                                 names_[index(side)] + " team, so they were left out:" + leftOut,
                             0};
    return std::nullopt;
}

std::optional<DialogMessage>
TeamSelection::restoreSides(const std::array<RememberedSide, 2>& sides) {
    std::string leftOut;
    std::vector<std::string> placed;
    for (const TeamSide side : {TeamSide::Left, TeamSide::Right}) {
        const RememberedSide& remembered = sides[index(side)];
        ListBoxModel& team = teams_[index(side)];
        team.clear();
        names_[index(side)] = remembered.name;
        for (const std::int32_t id : remembered.playerIds) {
            const Player* player = database_.findById(id);
            if (player == nullptr) {
                leftOut +=
                    "\r\nplayer number " + std::to_string(id) + ", no longer in the database";
                continue;
            }
            std::string name = player->displayName();
            if (std::find(placed.begin(), placed.end(), name) != placed.end()) {
                leftOut += "\r\n" + name + ", placed twice";
                continue;
            }
            placed.push_back(name);
            team.add(std::move(name));
        }
    }
    if (sides[0].computer != sides[1].computer)
        computer_ = {sides[0].computer, sides[1].computer};
    countryMask_ = kAllCountries;
    refillPlayerList();
    updateOkButton();
    if (leftOut.empty())
        return std::nullopt;
    return DialogMessage{"These players of the last teams were left out:" + leftOut, 0};
}

std::string TeamSelection::balanceHint(TeamSide side) const {
    return quorvel::balanceHint(teams_[index(side)].entries(), database_);
}

TeamSelection::AcceptOutcome TeamSelection::accept(Scores& scores) {
    if (auto failure = readControls())
        return {false, std::move(failure)};
    if (!updateOkButton())
        return {false, std::nullopt};
    for (const TeamSide side : {TeamSide::Left, TeamSide::Right}) {
        const auto i = index(side);
        storeSide(scores.teams[i], names_[i], teams_[i].entries(), computer_[i], database_);
    }
    return {true, std::nullopt};
}

std::string rememberedSideText(const Team& team) {
    std::string text = team.isComputerControlled() ? "1;" : "0;";
    for (int i = 0; i < kTeamSize; ++i) {
        if (i > 0)
            text += ",";
        text += std::to_string(team.playerAt(i));
    }
    return text + ";" + team.name();
}

std::optional<RememberedSide> parseRememberedSide(std::string_view text) {
    const auto first = text.find(';');
    const auto second = first == std::string_view::npos ? first : text.find(';', first + 1);
    if (second == std::string_view::npos || first != 1 || (text[0] != '0' && text[0] != '1'))
        return std::nullopt;
    RememberedSide side;
    side.computer = text[0] == '1';
    side.name = std::string(text.substr(second + 1));
    if (side.name.empty() || side.name.size() > TeamSelection::kMaxNameLength)
        return std::nullopt;
    const std::string_view ids = text.substr(first + 1, second - first - 1);
    for (std::size_t start = 0; start <= ids.size() && !ids.empty();) {
        const std::size_t comma = std::min(ids.find(',', start), ids.size());
        const std::string_view one = ids.substr(start, comma - start);
        std::int32_t id = 0;
        const auto [end, error] = std::from_chars(one.data(), one.data() + one.size(), id);
        if (one.empty() || error != std::errc() || end != one.data() + one.size() || id < 0 ||
            side.playerIds.size() >= static_cast<std::size_t>(kTeamSize))
            return std::nullopt;
        side.playerIds.push_back(id);
        start = comma + 1;
    }
    return side;
}

std::vector<std::string> predefinedTeam(const PlayerDatabase& database, std::int32_t countryCode) {
    std::vector<std::string> names;
    for (std::int32_t id = 0; id < database.count(); ++id) {
        const Player* player = database.findById(id);
        if (player != nullptr && player->country == countryCode && player->isPredefined())
            names.push_back(player->displayName());
    }
    return names;
}

bool sideIsPlayable(const std::vector<std::string>& entries, const PlayerDatabase& database) {
    if (entries.size() < static_cast<std::size_t>(kTeamSize))
        return false;
    int keepers = 0;
    int bowlers = 0;
    for (int i = 0; i < kTeamSize; ++i) {
        const Player* player = database.findByDisplayName(entries[i]);
        if (player == nullptr || player->playerId < 0 || player->playerId >= database.count())
            return false;
        keepers += player->isWicketKeeper() ? 1 : 0;
        bowlers += player->isBowler() ? 1 : 0;
    }
    return keepers >= 1 && bowlers >= 5;
}

void storeSide(Team& team, const std::string& name, const std::vector<std::string>& entries,
               bool computerControlled, const PlayerDatabase& database) {
    team.reset();
    team.setName(name);
    const auto stored = std::min(entries.size(), static_cast<std::size_t>(kTeamSize));
    for (std::size_t i = 0; i < stored; ++i)
        if (const Player* player = database.findByDisplayName(entries[i]))
            team.setPlayer(static_cast<int>(i), player->playerId, database);
    team.setComputerControlled(computerControlled ? 1 : 0);
}

} // namespace quorvel

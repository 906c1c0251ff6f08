#include "setup/batsman_choice.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "records/player_database.h"
#include "records/scores.h"

namespace quorvel {

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

bool hasBatted(const Innings& innings, int upToOver, std::int32_t playerId) {
    if (playerId == kNoPlayer)
        return false;
    const int last = std::min(upToOver, kOversPerInnings - 1);
    for (int over = 0; over <= last; ++over)
        for (const Ball& ball : innings.overs[over].balls)
            if (ball.batsmanId == playerId)
                return true;
    return false;
}

namespace {

// The players still to come, in batting order, written to the front of `out` with their
// records; returns how many. Fixed storage, so the computer's pick at each wicket allocates
// nothing and looks nobody up twice.
int stillToCome(const Scores& scores, const InningsFigures& figures, const PlayerDatabase& database,
                std::array<const Player*, kTeamSize>& out) {
    const int inningsIndex = figures.inningsIndex == 1 ? 1 : 0;
    const Team& side = scores.teams[scores.battingSide(inningsIndex)];
    const Innings& innings = scores.innings[inningsIndex];
    // The places that have batted, as the match kept them, or from one pass over the balls.
    const std::uint16_t batted = figures.battedKnown
                                     ? figures.battedPlaces
                                     : battedPlacesOf(side, innings, figures.overNumber);
    int count = 0;
    for (int place = 0; place < kTeamSize; ++place) {
        const std::int32_t id = side.playerAt(place);
        if (id == kNoPlayer || (batted >> place & 1u) != 0)
            continue;
        if (id == figures.batsmanIds[0] || id == figures.batsmanIds[1])
            continue;
        if (const Player* player = database.findById(id))
            out[static_cast<std::size_t>(count++)] = player;
    }
    return count;
}

} // namespace

std::vector<std::int32_t> playersStillToCome(const Scores& scores, const InningsFigures& figures,
                                             const PlayerDatabase& database) {
    std::array<const Player*, kTeamSize> players{};
    const int count = stillToCome(scores, figures, database, players);
    std::vector<std::int32_t> ids;
    ids.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        ids.push_back(players[static_cast<std::size_t>(i)]->playerId);
    return ids;
}

std::vector<std::string> batsmanCandidates(const Scores& scores, const InningsFigures& figures,
                                           const PlayerDatabase& database) {
    std::vector<std::string> names;
    for (std::int32_t id : playersStillToCome(scores, figures, database))
        names.push_back(database.findById(id)->displayName());
    std::stable_sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::int32_t chooseNextBatsman(const Scores& scores, const InningsFigures& figures,
                               const PlayerDatabase& database, std::string& chosenName) {
    std::array<const Player*, kTeamSize> candidates{};
    const int count = stillToCome(scores, figures, database, candidates);
    if (count == 0)
        return kNoPlayer;
    constexpr std::int32_t kPasses[] = {batting::kOpener, batting::kFirstChoice,
                                        batting::kSecondChoice, batting::kLowerOrder};
    const Player* pick = nullptr;
    for (std::int32_t bit : kPasses) {
        for (int i = 0; i < count && pick == nullptr; ++i)
            if ((candidates[static_cast<std::size_t>(i)]->battingFlags & bit) != 0)
                pick = candidates[static_cast<std::size_t>(i)];
        if (pick != nullptr)
            break;
    }
    if (pick == nullptr)
        pick = candidates[0];
    chosenName = pick->displayName();
    return pick->playerId;
}

std::string computerSelectionText(const std::string& chosenName) {
    return "The computer has selected " + chosenName;
}

} // namespace quorvel

#include "setup/team_hints.h"

namespace quorvel {

TeamBalance balanceOf(const std::vector<std::string>& entries, const PlayerDatabase& database) {
    TeamBalance balance;
    balance.players = static_cast<int>(entries.size());
    for (const auto& entry : entries) {
        const Player* player = database.findByDisplayName(entry);
        if (player == nullptr)
            continue;
        if (player->isWicketKeeper())
            ++balance.keepers;
        if (player->isBowler()) {
            ++balance.bowlers;
            if (player->isPace())
                ++balance.goodFastBowlers;
        }
        if ((player->battingFlags & batting::kOpener) != 0) {
            ++balance.openers;
            ++balance.specialistBatsmen;
        }
        if ((player->battingFlags & (batting::kFirstChoice | batting::kSecondChoice)) != 0)
            ++balance.specialistBatsmen;
    }
    return balance;
}

std::string hintFor(const TeamBalance& balance) {
    if (balance.players < 11)
        return "You need 11 players in the team";
    if (balance.keepers < 1)
        return "There is no wicket keeper in this team!";
    if (balance.bowlers < 5)
        return "You need at least 5 bowlers in a team";
    if (balance.openers < 2)
        return "There are not enough specialist opening batsmen";
    if (balance.specialistBatsmen < 4)
        return "There are only " + std::to_string(balance.specialistBatsmen) +
               " specialist batsmen in the team";
    if (balance.goodFastBowlers < 2)
        return "You need at least 2 good fast bowlers to open the bowling";
    if (balance.keepers > 1)
        return "You have more than 1 specialist wicket keeper";
    return "The team selection looks good!";
}

std::string balanceHint(const std::vector<std::string>& entries, const PlayerDatabase& database) {
    return hintFor(balanceOf(entries, database));
}

} // namespace quorvel

#include "records/team.h"

#include "records/player_database.h"

namespace quorvel {

void Team::reset() {
    name_.clear();
    playerIds_.fill(kNoPlayer);
}

void Team::setPlayer(int index, std::int32_t id) { setPlayer(index, id, playerDatabase()); }

void Team::setPlayer(int index, std::int32_t id, const PlayerDatabase& database) {
    if (index < 0 || index >= kTeamSize || id >= database.count())
        return;
    playerIds_[index] = id;
}

std::int32_t Team::playerAt(int index) const {
    return index >= 0 && index < kTeamSize ? playerIds_[index] : kNoPlayer;
}

} // namespace quorvel

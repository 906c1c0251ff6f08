#include "engine/innings_figures.h"

#include <algorithm>

#include "records/team.h"

namespace quorvel {

std::uint16_t placesOf(const Team& side, std::int32_t playerId) {
    std::uint16_t places = 0;
    for (int place = 0; place < kTeamSize; ++place)
        if (side.playerAt(place) == playerId)
            places |= static_cast<std::uint16_t>(1u << place);
    return places;
}

std::uint16_t battedPlacesOf(const Team& side, const Innings& innings, int upToOver) {
    // The balls mostly alternate between the two batsmen at the crease, so only an id other
    // than the last two seen is looked up among the places.
    std::uint16_t batted = 0;
    std::int32_t recent[2] = {kNoPlayer, kNoPlayer};
    const int last = std::min(upToOver, kOversPerInnings - 1);
    for (int over = 0; over <= last; ++over) {
        for (const Ball& ball : innings.overs[over].balls) {
            const std::int32_t id = ball.batsmanId;
            if (id == recent[0] || id == recent[1])
                continue;
            recent[1] = recent[0];
            recent[0] = id;
            batted |= placesOf(side, id);
        }
    }
    return batted;
}

void rememberBattedPlaces(InningsFigures& figures, const Team& side, const Innings& innings) {
    figures.battedPlaces = battedPlacesOf(side, innings, figures.overNumber);
    for (int slot = 0; slot < kCreaseSlots; ++slot)
        figures.creasePlaces[slot] = placesOf(side, figures.batsmanIds[slot]);
    figures.battedKnown = true;
}

void updateRates(InningsFigures& f) {
    f.runRate = f.oversFigure == 0 ? 0 : f.totalRuns / f.oversFigure;
    for (int slot = 0; slot < kCreaseSlots; ++slot)
        f.batsmanStrikeRates[slot] =
            f.batsmanBalls[slot] > 0 ? f.batsmanRuns[slot] * 100.0 / f.batsmanBalls[slot] : 0;
    if (f.inningsIndex == 1) {
        if (f.oversFigure != kOversPerInnings)
            f.requiredRate =
                (static_cast<double>(f.target) - f.totalRuns) / (kOversPerInnings - f.oversFigure);
        f.progressPosition = f.totalRuns;
    }
}

} // namespace quorvel

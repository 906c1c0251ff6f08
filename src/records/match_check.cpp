#include "records/match_check.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "records/delivery_effect.h"
#include "records/scores.h"

namespace quorvel {

namespace {

// More wide and no-ball runs than any over could give (each is one run, drawn a few times in a
// hundred balls); the bound keeps every total of an accepted record far from overflowing.
constexpr std::int64_t kMostExtrasInAnOver = 10000;

bool ofSide(const Team& team, std::int32_t id) {
    if (id == kNoPlayer)
        return false;
    for (int place = 0; place < kTeamSize; ++place)
        if (team.playerAt(place) == id)
            return true;
    return false;
}

// Whether the delivery's runs are ones the delivery can score: a wide or no-ball one, a wicket
// none, runs taken 0 to 3, a boundary 4 or 6, byes and leg byes 1 to 4.
bool possibleRuns(const Ball& ball) {
    if (ball.extraKind != ExtraKind::Legal)
        return ball.runs == 1 && ball.dismissalKind == Dismissal::NotOut;
    if (ball.dismissalKind != Dismissal::NotOut)
        return ball.runs == 0;
    switch (ball.runKind) {
    case RunKind::Taken:
        return ball.runs >= 0 && ball.runs <= 3;
    case RunKind::Boundary:
        return ball.runs == 4 || ball.runs == 6;
    case RunKind::Byes:
    case RunKind::LegByes:
        return ball.runs >= 1 && ball.runs <= 4;
    default:
        return false;
    }
}

std::optional<std::string> ballFault(const Ball& ball, const Team& batting, const Team& fielding) {
    if (!ofSide(batting, ball.batsmanId))
        return "a batsman not of the batting side";
    if (extraInfo(ball.extraKind) == nullptr)
        return "a kind of extra out of range";
    const DismissalInfo* dismissal = dismissalInfo(ball.dismissalKind);
    if (dismissal == nullptr)
        return "a kind of dismissal out of range";
    if (runInfo(ball.runKind) == nullptr)
        return "a kind of run out of range";
    if (!possibleRuns(ball))
        return "runs no delivery scores";
    if (!ofSide(fielding, ball.fielderId) &&
        (ball.fielderId != kNoPlayer || dismissal->namesFielder))
        return "a fielder not of the fielding side";
    return std::nullopt;
}

bool hasTwice(const Team& team) {
    for (int a = 0; a < kTeamSize; ++a)
        for (int b = a + 1; b < kTeamSize; ++b)
            if (team.playerAt(a) != kNoPlayer && team.playerAt(a) == team.playerAt(b))
                return true;
    return false;
}

// The innings' own faults; `target` is the runs that end a chase, 0 for a first innings.
std::optional<std::string> inningsFault(const Innings& innings, const Team& batting,
                                        const Team& fielding, std::int64_t target,
                                        std::int64_t& total) {
    int overs = 0;
    while (overs < kOversPerInnings && innings.overs[overs].bowled())
        ++overs;
    for (int over = overs; over < kOversPerInnings; ++over)
        if (innings.overs[over].bowled())
            return "an over bowled after one that was not";

    if (overs > 0 && (hasTwice(batting) || hasTwice(fielding)))
        return "a side naming one player twice";

    int wickets = 0;
    std::set<std::int32_t> out;
    bool ended = false;
    total = 0;
    for (int number = 0; number < overs; ++number) {
        const Over& over = innings.overs[number];
        if (!ofSide(fielding, over.bowlerId))
            return "a bowler not of the fielding side";
        int filled = 0;
        while (filled < kBallsPerOver && over.balls[filled].batsmanId != kNoPlayer)
            ++filled;
        for (int slot = filled; slot < kBallsPerOver; ++slot)
            if (over.balls[slot].batsmanId != kNoPlayer)
                return "a delivery after an empty slot";
        if (filled < kBallsPerOver && number + 1 < overs)
            return "an over cut short before the innings' last";
        std::int64_t heldWides = 0;
        std::int64_t heldNoBalls = 0;
        for (int slot = 0; slot < filled; ++slot) {
            const Ball& ball = over.balls[slot];
            (ball.extraKind == ExtraKind::Wide ? heldWides : heldNoBalls) +=
                ball.extraKind == ExtraKind::Legal ? 0 : ball.runs;
        }
        if (over.wideRuns < heldWides || over.noBallRuns < heldNoBalls)
            return "extras runs below those of the over's deliveries";
        if (std::int64_t{over.wideRuns} + over.noBallRuns > kMostExtrasInAnOver)
            return "more extras than an over could give";
        // Wides and no-balls whose slots were bowled again came somewhere inside the over: the
        // total before a slot is at least `total` and at most that plus them.
        const std::int64_t overwritten = over.wideRuns - heldWides + over.noBallRuns - heldNoBalls;
        const auto reached = [&](std::int64_t runs) { return target > 0 && runs >= target; };
        for (int slot = 0; slot < filled; ++slot) {
            const Ball& ball = over.balls[slot];
            if (ended)
                return "deliveries after the innings ended";
            if (auto fault = ballFault(ball, batting, fielding))
                return fault;
            if (out.count(ball.batsmanId) != 0)
                return "a batsman facing after he was out";
            const DeliveryEffect effect = deliveryEffect(ball);
            total += effect.totalRuns;
            if (effect.wicket != nullptr) {
                out.insert(ball.batsmanId);
                if (++wickets > kWicketsPerInnings)
                    return "more than ten wickets in an innings";
            }
            // A wide or no-ball stays in its slot only when it won the chase.
            if (!effect.legal() && !reached(total + overwritten))
                return "a wide or no-ball left in its slot";
            ended = !effect.legal() || wickets == kWicketsPerInnings || reached(total);
        }
        total += overwritten;
        const bool last = number + 1 == overs;
        if (!last && reached(total))
            return "deliveries after the target was reached";
        if (last && filled < kBallsPerOver && wickets < kWicketsPerInnings && !reached(total))
            return "an over cut short with the innings going on";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> matchRecordFault(const Scores& scores) {
    std::int64_t firstTotal = 0;
    for (int k = 0; k < 2; ++k) {
        const Team& batting = scores.teams[scores.battingSide(k)];
        const Team& fielding = scores.teams[scores.fieldingSide(k)];
        std::int64_t total = 0;
        const std::int64_t target = k == 0 ? 0 : firstTotal + 1;
        if (auto fault = inningsFault(scores.innings[k], batting, fielding, target, total))
            return (k == 0 ? "first innings: " : "second innings: ") + *fault;
        if (k == 0)
            firstTotal = total;
    }
    return std::nullopt;
}

} // namespace quorvel

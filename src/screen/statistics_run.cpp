#include "screen/statistics_run.h"

#include <algorithm>

#include "common/parallel.h"
#include "engine/random.h"
#include "screen/headless_match.h"

namespace quorvel {

namespace {

StatisticsMatch playOne(const StatisticsPlan& plan, const PlayerDatabase& database, int number) {
    StatisticsMatch match;
    match.number = number;
    match.seed = plan.firstSeed + static_cast<std::uint32_t>(number);
    match.sides = &plan.sides[static_cast<std::size_t>(number) % plan.sides.size()];
    Scores scores = *match.sides;
    Random random;
    PlayedMatch played = playHeadlessMatch(scores, database, random, match.seed, plan.callHeads,
                                           plan.electBat, false);
    match.finished = played.finished;
    match.text = std::move(played.text);
    match.cards = played.cards;
    match.firstBatting = scores.battingSide(0);
    match.tossWinner = scores.tossWinner == 1 ? 1 : 0;
    return match;
}

} // namespace

void playStatistics(const StatisticsPlan& plan, const PlayerDatabase& database,
                    const std::function<bool(const StatisticsMatch&)>& take,
                    const std::function<void(int done)>& blockDone) {
    if (plan.sides.empty())
        return;
    // Each block is shared out in seed ranges, one a thread, and then taken in seed order.
    constexpr int kBlock = 1024;
    std::vector<StatisticsMatch> block;
    for (int start = 0; start < plan.matches; start += kBlock) {
        const int count = std::min(kBlock, plan.matches - start);
        block.assign(static_cast<std::size_t>(count), StatisticsMatch{});
        forEachRange(std::min(plan.threads, count), count, [&](int, int begin, int end) {
            for (int i = begin; i < end; ++i)
                block[static_cast<std::size_t>(i)] = playOne(plan, database, start + i);
        });
        for (const StatisticsMatch& match : block)
            if (!take(match))
                return;
        if (blockDone)
            blockDone(start + count);
    }
}

} // namespace quorvel

#include "predict/win_predictor.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "common/parallel.h"

#include "engine/random.h"
#include "records/match_outcome.h"
#include "screen/computer_choices.h"
#include "screen/match_screen.h"

namespace quorvel {

namespace {

std::uint64_t mixBytes(std::uint64_t hash, std::string_view bytes) {
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// A well-spread 32-bit seed for remainder `index` of a position.
std::uint32_t remainderSeed(std::uint64_t positionSeed, int index) {
    std::uint64_t z = positionSeed + 0x9e3779b97f4a7c15ULL * static_cast<std::uint64_t>(index + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 16);
}

// What one thread counted.
struct Tally {
    std::array<std::int64_t, 2> wins{};
    std::int64_t ties = 0;
    std::int64_t finished = 0;
    std::vector<std::int64_t> totals;

    void add(const Tally& other) {
        for (int side = 0; side < 2; ++side)
            wins[side] += other.wins[side];
        ties += other.ties;
        finished += other.finished;
        if (totals.size() < other.totals.size())
            totals.resize(other.totals.size());
        for (std::size_t runs = 0; runs < other.totals.size(); ++runs)
            totals[runs] += other.totals[runs];
    }
};

// Plays one remainder and counts its outcome.
void playRemainder(const MatchPosition& position, const SliderPositions& userSliders,
                   const PlayerDatabase& database, std::uint32_t seed, Tally& tally) {
    Random random;
    random.seed(seed);
    // The play goes on in a copy of the position's record, made once.
    Scores scores = position.record;
    ComputerChoices choices(position.record, database, random, seed, true, true);
    MatchScreen screen(scores, database, random, choices);
    screen.playForResultOnly();
    choices.attach(screen);
    choices.keepUserSliders();
    choices.rebuildUserPlan(position.figures);
    screen.resumeBetweenOvers(scores, position.figures, userSliders);
    MatchSession session(screen, choices);
    if (!session.playToEnd() || screen.state() != MatchState::MatchOver)
        return;

    // The match is over, so the figures are the chase's and its target is one more than the
    // first innings' total.
    const InningsFigures& end = screen.figures();
    const int firstTotal = end.target - 1;
    const int inPlayTotal = position.figures.inningsIndex == 0 ? firstTotal : end.totalRuns;
    const Scores& record = screen.scores();
    switch (matchOutcome(firstTotal, end.totalRuns, end.totalWickets).winner) {
    case Winner::SecondBatting:
        ++tally.wins[record.battingSide(1)];
        break;
    case Winner::Tie:
        ++tally.ties;
        break;
    case Winner::FirstBatting:
        ++tally.wins[record.battingSide(0)];
        break;
    }
    ++tally.finished;
    const std::size_t at = static_cast<std::size_t>(std::clamp(inPlayTotal, 0, 9999));
    if (tally.totals.size() <= at)
        tally.totals.resize(at + 1);
    ++tally.totals[at];
}

double share(std::int64_t count, std::int64_t of) {
    return of == 0 ? 0 : static_cast<double>(count) / static_cast<double>(of);
}

double standardError(double p, std::int64_t of) {
    return of == 0 ? 0 : std::sqrt(p * (1 - p) / static_cast<double>(of));
}

} // namespace

std::uint64_t positionSeed(const MatchPosition& position, const SliderPositions& userSliders) {
    Scores record = position.record;
    record.matchDate.clear();
    std::uint64_t hash = mixBytes(0xcbf29ce484222325ULL, encodeScores(record));
    const int sliders[] = {userSliders.battingSlot0, userSliders.battingSlot1, userSliders.running,
                           userSliders.bowling, userSliders.fielding};
    std::string positions;
    for (const int position : sliders)
        positions += static_cast<char>('0' + position);
    return mixBytes(hash, positions);
}

std::optional<WinEstimate> predictWin(const MatchPosition& position,
                                      const SliderPositions& userSliders,
                                      const PlayerDatabase& database,
                                      const PredictOptions& options) {
    const int remainders = std::max(1, options.remainders);
    const int threads = std::clamp(
        options.threads > 0 ? options.threads
                            : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())),
        1, remainders);
    const std::uint64_t seed = positionSeed(position, userSliders);
    const auto cancelled = [&options] {
        return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
    };

    std::vector<Tally> tallies(static_cast<std::size_t>(threads));
    forEachRange(threads, remainders, [&](int thread, int begin, int end) {
        Tally& tally = tallies[static_cast<std::size_t>(thread)];
        for (int i = begin; i < end && !cancelled(); ++i)
            playRemainder(position, userSliders, database, remainderSeed(seed, i), tally);
    });
    if (cancelled())
        return std::nullopt;

    Tally all;
    for (const Tally& tally : tallies)
        all.add(tally);
    WinEstimate estimate;
    estimate.remainders = static_cast<int>(all.finished);
    estimate.inningsInPlay = position.figures.inningsIndex == 1 ? 1 : 0;
    for (int side = 0; side < 2; ++side) {
        estimate.win[side] = share(all.wins[side], all.finished);
        estimate.winError[side] = standardError(estimate.win[side], all.finished);
    }
    estimate.tie = share(all.ties, all.finished);
    estimate.tieError = standardError(estimate.tie, all.finished);
    estimate.finalTotals = std::move(all.totals);
    return estimate;
}

std::vector<WinPoint> predictEveryOver(const Scores& record, const PlayerDatabase& database,
                                       const PredictOptions& options) {
    std::vector<WinPoint> points;
    for (int innings = 0; innings < 2; ++innings) {
        const int overs = oversBowled(record, innings);
        for (int over = 1; over <= overs; ++over) {
            const auto position = positionAfterOver(record, innings, over, database);
            if (!position)
                continue;
            auto estimate = predictWin(*position, SliderPositions{}, database, options);
            if (!estimate)
                return points;
            points.push_back({innings, over, std::move(*estimate)});
        }
    }
    return points;
}

} // namespace quorvel

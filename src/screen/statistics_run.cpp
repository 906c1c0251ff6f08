#include "screen/statistics_run.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

#include "common/parallel.h"
#include "engine/random.h"
#include "screen/headless_match.h"

namespace quorvel {

namespace {

// Plays match `number` of the plan into `match`, every member set.
void playOne(const StatisticsPlan& plan, const PlayerDatabase& database, int number,
             StatisticsMatch& match) {
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
}

// Plays the block of matches from `start` into `block`, each match into its own place. Each
// thread takes the next match not yet begun, so that a thread held up by other work on the
// machine does not hold the block up. Once `abandon` is set no further match is begun, and the
// block is left part played.
void playBlock(const StatisticsPlan& plan, const PlayerDatabase& database, int start, int size,
               std::vector<StatisticsMatch>& block, const std::atomic<bool>& abandon) {
    const int count = std::min(size, plan.matches - start);
    block.resize(static_cast<std::size_t>(count));
    std::atomic<int> next{0};
    forEachRange(std::min(plan.threads, count), count, [&](int, int, int) {
        for (int i; !abandon.load(std::memory_order_relaxed) &&
                    (i = next.fetch_add(1, std::memory_order_relaxed)) < count;)
            playOne(plan, database, start + i, block[static_cast<std::size_t>(i)]);
    });
}

// The next block, played on a thread of its own while the calling thread hands the current one
// over; where no thread can be started, played by wait(). Left without waiting (a stop, an
// exception), it begins no further match and is waited for, so no thread outlives the blocks.
class BlockAhead {
public:
    BlockAhead(const StatisticsPlan& plan, const PlayerDatabase& database, int start, int size,
               std::vector<StatisticsMatch>& block)
        : plan_(plan), database_(database), start_(start), size_(size), block_(block) {
        if (start_ >= plan_.matches)
            return;
        try {
            thread_ = std::thread([this] { play(); });
        } catch (const std::system_error&) {
            pending_ = true;
        }
    }
    ~BlockAhead() {
        abandon_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    BlockAhead(const BlockAhead&) = delete;
    BlockAhead& operator=(const BlockAhead&) = delete;

    // Returns once the block is played whole; an exception its play threw is thrown here.
    void wait() {
        if (thread_.joinable())
            thread_.join();
        if (pending_) {
            pending_ = false;
            play();
        }
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    void play() {
        try {
            playBlock(plan_, database_, start_, size_, block_, abandon_);
        } catch (...) {
            failure_ = std::current_exception();
        }
    }

    const StatisticsPlan& plan_;
    const PlayerDatabase& database_;
    int start_;
    int size_;
    std::vector<StatisticsMatch>& block_;
    std::thread thread_;
    std::atomic<bool> abandon_{false};
    bool pending_ = false;
    std::exception_ptr failure_;
};

} // namespace

void playStatistics(const StatisticsPlan& plan, const PlayerDatabase& database,
                    const std::function<bool(const StatisticsMatch&)>& take,
                    const std::function<void(int done)>& blockDone) {
    if (plan.sides.empty() || plan.matches < 1)
        return;
    // Two blocks in turn: one handed over in seed order while the other is played, so that the
    // taking (rows, aggregates, output) no longer leaves the players waiting.
    const int size = std::max(1, plan.blockSize);
    std::array<std::vector<StatisticsMatch>, 2> blocks;
    const std::atomic<bool> never{false};
    playBlock(plan, database, 0, size, blocks[0], never);
    std::size_t current = 0;
    for (int start = 0; start < plan.matches; start += size, current ^= 1) {
        BlockAhead ahead(plan, database, start + size, size, blocks[current ^ 1]);
        for (const StatisticsMatch& match : blocks[current])
            if (!take(match))
                return;
        if (blockDone)
            blockDone(std::min(start + size, plan.matches));
        ahead.wait();
    }
}

} // namespace quorvel

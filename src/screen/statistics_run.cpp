#include "screen/statistics_run.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

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

// The run's workers, started once for the whole run. Each takes the next match not yet begun
// and plays it into its place in one of two blocks held in turn, so the workers go on playing
// while the calling thread hands the other block over. A worker waits only when its match
// belongs to the block after next, until the block before it has been handed over. Starting
// threads once matters: on a virtual machine a thread started on an idle processor can take a
// third of a millisecond to run, and a run of a million matches has a thousand blocks.
class StatisticsWorkers {
public:
    StatisticsWorkers(const StatisticsPlan& plan, const PlayerDatabase& database, int size)
        : plan_(plan), database_(database), size_(size) {
        for (auto& block : blocks_)
            block.resize(static_cast<std::size_t>(size));
        const int threads = std::clamp(plan.threads, 1, plan.matches);
        for (int t = 0; t < threads; ++t) {
            try {
                threads_.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                break; // the blocks are played by those started, or by the calling thread
            }
        }
    }
    // Begins no further match and waits for the matches in hand.
    ~StatisticsWorkers() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }
    StatisticsWorkers(const StatisticsWorkers&) = delete;
    StatisticsWorkers& operator=(const StatisticsWorkers&) = delete;

    // Block `index`, once it is played whole (its first countOf(index) places); an exception a
    // worker's match threw is thrown here.
    const std::vector<StatisticsMatch>& block(int index) {
        std::vector<StatisticsMatch>& block = blocks_[placeOf(index)];
        if (threads_.empty()) {
            for (int k = 0; k < countOf(index); ++k)
                playOne(plan_, database_, index * size_ + k, block[static_cast<std::size_t>(k)]);
            return block;
        }
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return failure_ || played_[placeOf(index)] == countOf(index); });
        if (failure_)
            std::rethrow_exception(failure_);
        return block;
    }
    // Block `index` was handed over: its place takes the block after next.
    void release(int index) {
        {
            std::lock_guard lock(mutex_);
            played_[placeOf(index)] = 0;
            released_ = index + 1;
        }
        changed_.notify_all();
    }

private:
    static std::size_t placeOf(int index) { return static_cast<std::size_t>(index % 2); }
    int countOf(int index) const { return std::min(size_, plan_.matches - index * size_); }

    void work() {
        for (;;) {
            const int number = next_.fetch_add(1, std::memory_order_relaxed);
            if (number >= plan_.matches)
                return;
            const int index = number / size_;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stop_ || index < released_ + 2; });
                if (stop_)
                    return;
            }
            try {
                StatisticsMatch& match =
                    blocks_[placeOf(index)][static_cast<std::size_t>(number - index * size_)];
                playOne(plan_, database_, number, match);
            } catch (...) {
                std::lock_guard lock(mutex_);
                if (!failure_)
                    failure_ = std::current_exception();
                stop_ = true;
                changed_.notify_all();
                return;
            }
            bool whole = false;
            {
                std::lock_guard lock(mutex_);
                whole = ++played_[placeOf(index)] == countOf(index);
            }
            if (whole)
                changed_.notify_all();
        }
    }

    const StatisticsPlan& plan_;
    const PlayerDatabase& database_;
    const int size_;
    std::array<std::vector<StatisticsMatch>, 2> blocks_;
    std::atomic<int> next_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::array<int, 2> played_{}; // matches of the block a place holds played so far
    int released_ = 0;            // blocks handed over; block b may be played from b - 2 on
    bool stop_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

} // namespace

void playStatistics(const StatisticsPlan& plan, const PlayerDatabase& database,
                    const std::function<bool(const StatisticsMatch&)>& take,
                    const std::function<void(int done)>& blockDone) {
    if (plan.sides.empty() || plan.matches < 1)
        return;
    // Blocks handed over in seed order while the workers play the next one.
    const int size = std::clamp(plan.blockSize, 1, plan.matches);
    StatisticsWorkers workers(plan, database, size);
    for (int index = 0, start = 0; start < plan.matches; ++index, start += size) {
        const std::vector<StatisticsMatch>& block = workers.block(index);
        const int count = std::min(size, plan.matches - start);
        for (int k = 0; k < count; ++k)
            if (!take(block[static_cast<std::size_t>(k)]))
                return;
        if (blockDone)
            blockDone(start + count);
        workers.release(index);
    }
}

} // namespace quorvel

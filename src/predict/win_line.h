#pragma once
// The win chances of a match over by over, worked out off the user-interface thread: after an
// over, the estimate of the new position first, then any over of the record not yet estimated.
// A newer update cancels the estimate still running, so playing on is never held up.

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "predict/win_predictor.h"

namespace quorvel {

class WinLine {
public:
    explicit WinLine(const PlayerDatabase& database, int remainders = kDefaultRemainders)
        : database_(database), remainders_(remainders) {}
    ~WinLine() { cancel(); }
    WinLine(const WinLine&) = delete;
    WinLine& operator=(const WinLine&) = delete;

    // Estimates every over of `record` not yet estimated for it, the latest first (played with
    // the user's sliders, the others with every slider in the middle), on a thread of its own,
    // each estimate on every core. Estimates of overs the record no longer holds, or holds
    // differently (a new match, an opened one), are dropped. `changed` is called on that thread
    // after each new estimate; it must not wait for the caller of update. Where no thread can be
    // started, the estimates are made on the calling thread before update returns.
    void update(const Scores& record, const SliderPositions& userSliders,
                std::function<void()> changed);
    // Stops the estimate running, keeping those made; returns once the thread has stopped.
    void cancel();
    // The estimates made so far, in the order of the match.
    std::vector<WinPoint> points() const;
    // An estimate is being made.
    bool busy() const { return busy_.load(); }

private:
    struct Stored {
        std::uint64_t key = 0; // the position's seed: the same seed, the same position
        WinPoint point;
    };
    void work(const Scores& record, const SliderPositions& userSliders,
              const std::function<void()>& changed);

    const PlayerDatabase& database_;
    int remainders_;
    mutable std::mutex mutex_;
    std::map<int, Stored> stored_; // by innings * 100 + overs, so in the order of the match
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> busy_{false};
};

} // namespace quorvel

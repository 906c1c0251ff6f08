#include "predict/win_line.h"

#include <system_error>

namespace quorvel {

namespace {

int keyOf(int innings, int overs) { return innings * 100 + overs; }

} // namespace

void WinLine::update(const Scores& record, const SliderPositions& userSliders,
                     std::function<void()> changed) {
    cancel();
    cancel_ = false;
    busy_ = true;
    auto job = [this, record, userSliders, changed = std::move(changed)] {
        work(record, userSliders, changed);
        busy_ = false;
        if (changed)
            changed();
    };
    try {
        worker_ = std::thread(job);
    } catch (const std::system_error&) {
        // No thread could be started: the estimates are made here, before update returns.
        job();
    }
}

void WinLine::cancel() {
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
    busy_ = false;
}

std::vector<WinPoint> WinLine::points() const {
    std::lock_guard lock(mutex_);
    std::vector<WinPoint> points;
    points.reserve(stored_.size());
    for (const auto& [key, stored] : stored_)
        points.push_back(stored.point);
    return points;
}

void WinLine::work(const Scores& record, const SliderPositions& userSliders,
                   const std::function<void()>& changed) {
    // The record's positions, the latest first, each known by the seed of its record alone.
    struct Pending {
        int key = 0;
        MatchPosition position;
        std::uint64_t seed = 0;
    };
    std::vector<Pending> pending;
    for (int innings = 1; innings >= 0; --innings)
        for (int over = oversBowled(record, innings); over >= 1; --over)
            if (auto position = positionAfterOver(record, innings, over, database_)) {
                const std::uint64_t seed = positionSeed(*position, SliderPositions{});
                pending.push_back({keyOf(innings, over), std::move(*position), seed});
            }
    bool dropped = false;
    {
        // Estimates of overs this record does not hold as they were estimated are dropped.
        std::map<int, std::uint64_t> held;
        for (const Pending& one : pending)
            held[one.key] = one.seed;
        std::lock_guard lock(mutex_);
        dropped = std::erase_if(stored_, [&held](const auto& entry) {
                      const auto found = held.find(entry.first);
                      return found == held.end() || found->second != entry.second.key;
                  }) > 0;
    }
    if (dropped && changed)
        changed();

    PredictOptions options;
    options.remainders = remainders_;
    options.cancel = &cancel_;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const Pending& one = pending[i];
        {
            std::lock_guard lock(mutex_);
            if (stored_.contains(one.key))
                continue;
        }
        // The latest position is played with the user's sliders as they stand now.
        const SliderPositions sliders = i == 0 ? userSliders : SliderPositions{};
        auto estimate = predictWin(one.position, sliders, database_, options);
        if (!estimate)
            return;
        {
            std::lock_guard lock(mutex_);
            stored_[one.key] = {one.seed, {one.key / 100, one.key % 100, std::move(*estimate)}};
        }
        if (changed)
            changed();
    }
}

} // namespace quorvel

#pragma once
// Work shared out over threads by index ranges: the outcome depends only on what each index
// does, never on how many threads there are.

#include <thread>
#include <vector>

namespace quorvel {

// Calls work(thread, begin, end) for `threads` contiguous ranges of 0..count-1, the calling
// thread taking the first, and returns once every range is done.
template <class Work> void forEachRange(int threads, int count, Work work) {
    threads = threads < 1 ? 1 : threads;
    const auto range = [&](int thread) {
        work(thread, count * thread / threads, count * (thread + 1) / threads);
    };
    std::vector<std::thread> workers;
    for (int thread = 1; thread < threads; ++thread)
        workers.emplace_back(range, thread);
    range(0);
    for (std::thread& worker : workers)
        worker.join();
}

} // namespace quorvel

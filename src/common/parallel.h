#pragma once
// Work shared out over threads by index ranges: the outcome depends only on what each index
// does, never on how many threads there are.

#include <system_error>
#include <thread>
#include <vector>

namespace quorvel {

// Calls work(thread, begin, end) for `threads` contiguous ranges of 0..count-1, the calling
// thread taking the first, and returns once every range is done. Where no more threads can be
// started (a limit on threads or memory), the calling thread works the ranges left over, one
// after the other: the ranges, and so the outcome, stay the same.
template <class Work> void forEachRange(int threads, int count, Work work) {
    threads = threads < 1 ? 1 : threads;
    const auto range = [&](int thread) {
        work(thread, count * thread / threads, count * (thread + 1) / threads);
    };
    std::vector<std::thread> workers;
    int started = 1;
    for (; started < threads; ++started) {
        try {
            workers.emplace_back(range, started);
        } catch (const std::system_error&) {
            break;
        }
    }
    range(0);
    for (int thread = started; thread < threads; ++thread)
        range(thread);
    for (std::thread& worker : workers)
        worker.join();
}

} // namespace quorvel

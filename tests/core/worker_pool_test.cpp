#include "document/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tavlo {
namespace {

// Restores the default thread count when a test ends, however it ends.
struct ThreadCount {
    explicit ThreadCount(int count) { setWorkerCount(count); }
    ~ThreadCount() { setWorkerCount(0); }
};

TEST(WorkerPool, BandsCoverEveryIndexOnce) {
    for (const int threads : {1, 2, 3, 7})
        for (const int count : {0, 1, 5, 16, 17, 100, 4001})
            for (const int grain : {1, 16, 1000}) {
                SCOPED_TRACE(testing::Message()
                             << threads << " threads, " << count << " items, grain " << grain);
                const ThreadCount use(threads);
                std::vector<std::atomic<int>> visits(static_cast<std::size_t>(count));
                std::atomic<bool> shortBand = false;
                forEachBand(count, grain, [&](int begin, int end) {
                    if (end - begin < grain && end != count) shortBand = true;
                    for (int i = begin; i < end; ++i)
                        ++visits[static_cast<std::size_t>(i)];
                });
                EXPECT_FALSE(shortBand);
                for (const auto& v : visits)
                    ASSERT_EQ(v.load(), 1);
            }
}

TEST(WorkerPool, SpreadsWorkOverTheThreads) {
    const ThreadCount use(2);
    std::mutex mutex;
    std::vector<std::thread::id> seen;
    std::atomic<int> waiting = 2;
    // Every band waits until two are running at once, which one thread alone never reaches.
    forEachIndex(2, [&](int) {
        --waiting;
        while (waiting.load() > 0)
            std::this_thread::yield();
        const std::lock_guard lock(mutex);
        seen.push_back(std::this_thread::get_id());
    });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0], seen[1]);
}

TEST(WorkerPool, RethrowsTheFirstFailureAndStaysUsable) {
    const ThreadCount use(3);
    EXPECT_THROW(forEachIndex(50,
                              [](int i) {
                                  if (i == 7) throw std::runtime_error("band 7");
                              }),
                 std::runtime_error);
    std::atomic<int> sum = 0;
    forEachIndex(10, [&](int i) { sum += i; });
    EXPECT_EQ(sum.load(), 45);
}

TEST(WorkerPool, NestedPassesRunOnTheirOwnThread) {
    const ThreadCount use(2);
    std::atomic<int> inner = 0;
    forEachIndex(4, [&](int) {
        const auto outer = std::this_thread::get_id();
        forEachBand(100, 1, [&](int begin, int end) {
            EXPECT_EQ(std::this_thread::get_id(), outer);
            inner += end - begin;
        });
    });
    EXPECT_EQ(inner.load(), 400);
}

TEST(WorkerPool, PassesFromSeveralThreadsAtOnceAllFinish) {
    const ThreadCount use(2);
    std::atomic<long> total = 0;
    std::vector<std::jthread> callers;
    for (int t = 0; t < 4; ++t)
        callers.emplace_back([&] {
            for (int pass = 0; pass < 50; ++pass)
                forEachBand(1000, 16, [&](int begin, int end) { total += end - begin; });
        });
    callers.clear();
    EXPECT_EQ(total.load(), 4L * 50 * 1000);
}

} // namespace
} // namespace tavlo

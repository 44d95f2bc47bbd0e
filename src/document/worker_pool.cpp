#include "worker_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tavlo {

namespace {

// Bands per thread: enough that a thread slowed by other work on the machine hands its share to
// the others, few enough that each band stays long.
constexpr int kBandsPerThread = 4;
constexpr int kMaxThreads = 256;

thread_local bool insideBand = false;

struct Pass {
    Pass(const std::function<void(int, int)>& body, int count, int band)
        : body(&body), count(count), band(band) {}

    const std::function<void(int, int)>* body;
    int count, band;
    std::atomic<int> next{0};
    std::mutex errorMutex;
    std::exception_ptr error;
    int helpers = 0; // workers inside the pass, guarded by the pool's mutex

    void drain() {
        insideBand = true;
        for (;;) {
            const int begin = next.fetch_add(band, std::memory_order_relaxed);
            if (begin >= count) break;
            try {
                (*body)(begin, std::min(count, begin + band));
            } catch (...) {
                next.store(count, std::memory_order_relaxed); // the rest is pointless
                const std::lock_guard lock(errorMutex);
                if (!error) error = std::current_exception();
            }
        }
        insideBand = false;
    }
};

class Pool {
  public:
    explicit Pool(int threads) {
        for (int i = 1; i < threads; ++i)
            workers_.emplace_back([this](std::stop_token stop) { serve(stop); });
    }
    ~Pool() {
        for (auto& worker : workers_)
            worker.request_stop();
        wake_.notify_all();
    }
    int threads() const { return static_cast<int>(workers_.size()) + 1; }

    void run(Pass& pass) {
        {
            const std::lock_guard lock(mutex_);
            pass_ = &pass;
            ++generation_;
        }
        wake_.notify_all();
        pass.drain();
        // Workers join only while pass_ is set; once it is cleared, wait for those inside.
        std::unique_lock lock(mutex_);
        pass_ = nullptr;
        finished_.wait(lock, [&] { return pass.helpers == 0; });
    }

  private:
    void serve(std::stop_token stop) {
        unsigned long seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, stop, [&] { return pass_ && generation_ != seen; });
            if (stop.stop_requested()) return;
            seen = generation_;
            Pass& pass = *pass_;
            ++pass.helpers;
            lock.unlock();
            pass.drain();
            lock.lock();
            if (--pass.helpers == 0) finished_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::condition_variable finished_;
    Pass* pass_ = nullptr;
    unsigned long generation_ = 0;
    std::vector<std::jthread> workers_;
};

int machineThreads() {
    return static_cast<int>(
        std::clamp(std::thread::hardware_concurrency(), 1u, unsigned{kMaxThreads}));
}

// One pass at a time holds the pool; a pass that finds it held runs on its own thread.
std::mutex poolMutex;
std::atomic<int> requestedThreads{0}; // 0: every core
std::unique_ptr<Pool> pool;

void runAlone(int count, int band, const std::function<void(int, int)>& body) {
    for (int begin = 0; begin < count; begin += band)
        body(begin, std::min(count, begin + band));
}

void runBands(int count, int band, const std::function<void(int, int)>& body) {
    if (count <= 0) return;
    std::unique_lock lock(poolMutex, std::defer_lock);
    if (insideBand || !lock.try_lock()) return runAlone(count, band, body);
    const int threads = workerCount();
    if (threads == 1 || band >= count) {
        lock.unlock();
        return runAlone(count, band, body);
    }
    if (!pool || pool->threads() != threads) {
        pool.reset();
        pool = std::make_unique<Pool>(threads);
    }
    Pass pass(body, count, band);
    pool->run(pass);
    if (pass.error) std::rethrow_exception(pass.error);
}

} // namespace

int workerCount() {
    const int requested = requestedThreads.load(std::memory_order_relaxed);
    return requested > 0 ? requested : machineThreads();
}

// The pool takes the new size at the start of the next pass.
void setWorkerCount(int count) {
    requestedThreads.store(count < 1 ? 0 : std::min(count, kMaxThreads), std::memory_order_relaxed);
}

void forEachBand(int count, int grain, const std::function<void(int, int)>& body) {
    const int threads = workerCount();
    const int share = (count + threads * kBandsPerThread - 1) / (threads * kBandsPerThread);
    runBands(count, std::max({1, grain, share}), body);
}

void forEachIndex(int count, const std::function<void(int)>& body) {
    runBands(count, 1, [&](int index, int) { body(index); });
}

} // namespace tavlo

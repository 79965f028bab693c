// The helper thread behind SplitRows: started on first use, asleep between frames,
// stopped when the process ends.
#include "platform/ddraw/row_split.h"

#include <time.h>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace vorn::platform {
namespace {

// Fewer rows than this are done on the calling thread: waking the helper costs more.
constexpr int kMinimumRowsToSplit = 64;
// How long the caller waits for the helper before it sleeps.
constexpr long kSpinNanoseconds = 50'000;

inline void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// <chrono> cannot be compiled with the Shift-JIS execution character set.
long Nanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000L + now.tv_nsec;
}

// Waits up to kSpinNanoseconds for `busy` to clear; the clock is read now and then, as a
// pause lasts from a few cycles to a hundred and more depending on the processor.
void SpinWhile(const std::atomic<bool>& busy) {
    const long until = Nanoseconds() + kSpinNanoseconds;
    for (int spin = 1; busy.load(std::memory_order_acquire); ++spin) {
        Pause();
        if (spin % 64 == 0 && Nanoseconds() > until) return;
    }
}

class RowHelper {
public:
    RowHelper() : m_thread([this] { Serve(); }) {}
    ~RowHelper() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    RowHelper(const RowHelper&) = delete;
    RowHelper& operator=(const RowHelper&) = delete;

    void Run(int rows, RowWork work, void* context) {
        const int split = rows / 2;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_work = work;
            m_context = context;
            m_begin = split;
            m_end = rows;
            m_pending = true;
            m_busy.store(true, std::memory_order_relaxed);
        }
        m_wake.notify_one();
        work(context, 0, split);
        // The halves take about as long: the helper is usually a moment from done, and
        // a short wait costs less than going to sleep and being woken.
        SpinWhile(m_busy);
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done.wait(lock, [this] { return !m_pending; });
    }

private:
    void Serve() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_pending || m_stopping; });
            if (m_stopping) return;
            const RowWork work = m_work;
            void* const context = m_context;
            const int begin = m_begin, end = m_end;
            lock.unlock();
            work(context, begin, end);
            m_busy.store(false, std::memory_order_release);
            lock.lock();
            m_pending = false;
            m_done.notify_one();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;  // a job, or the end
    std::condition_variable m_done;  // the job is done
    RowWork m_work = nullptr;
    void* m_context = nullptr;
    int m_begin = 0;
    int m_end = 0;
    bool m_pending = false;
    std::atomic<bool> m_busy{false};  // m_pending, for the caller's short wait without the lock
    bool m_stopping = false;
    std::thread m_thread;  // last: starts once the rest is set up
};

// Null when the system refuses a thread: the caller then does all the rows.
std::unique_ptr<RowHelper> StartHelper() {
    try {
        return std::make_unique<RowHelper>();
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace

void SplitRows(int rows, RowWork work, void* context) {
    static const bool twoProcessors = std::thread::hardware_concurrency() >= 2;
    if (rows < kMinimumRowsToSplit || !twoProcessors) {
        if (rows > 0) work(context, 0, rows);
        return;
    }
    static const std::unique_ptr<RowHelper> helper = StartHelper();
    if (!helper) {
        work(context, 0, rows);
        return;
    }
    helper->Run(rows, work, context);
}

}  // namespace vorn::platform

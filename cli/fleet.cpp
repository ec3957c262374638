#include "cli/fleet.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sb::cli {

void SendEach(std::span<const SendTarget> targets, const SettingRecord& record,
              std::chrono::seconds wait, std::size_t jobs,
              const std::function<void(std::size_t, const SendResult&)>& report,
              const std::function<void(const SendCounts&)>& progress) {
    std::mutex mutex;
    std::condition_variable ended;
    std::vector<std::optional<SendResult>> results(targets.size());
    std::size_t next = 0;
    SendCounts counts{0, 0, targets.size()};

    const auto work = [&] {
        for (;;) {
            std::size_t i = 0;
            {
                const std::lock_guard lock(mutex);
                if (next == targets.size()) {
                    return;
                }
                i = next++;
            }
            SendResult result = targets[i].access->Send(targets[i].queue, record, wait);
            {
                const std::lock_guard lock(mutex);
                --counts.left;
                ++(result.outcome == SendOutcome::Failed ? counts.failed : counts.done);
                results[i] = std::move(result);
            }
            ended.notify_one();
        }
    };
    // At once: the first printer may well be the slowest.
    SendCounts shown = counts;
    progress(shown);
    std::vector<std::jthread> workers;
    for (std::size_t k = 0; k < std::min(jobs, targets.size()); ++k) {
        workers.emplace_back(work);
    }

    std::size_t reported = 0;
    std::unique_lock lock(mutex);
    while (reported < targets.size()) {
        ended.wait(lock, [&] { return counts.left != shown.left; });
        shown = counts;
        // Out of the lock: writing may be slow, and the workers go on meanwhile.
        std::vector<std::pair<std::size_t, SendResult>> ready;
        for (; reported < targets.size() && results[reported]; ++reported) {
            ready.emplace_back(reported, *results[reported]);
        }
        lock.unlock();
        for (const auto& [i, result] : ready) {
            report(i, result);
        }
        progress(shown);
        lock.lock();
    }
}

} // namespace sb::cli

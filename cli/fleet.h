// Sending one record to many printers at once: each on a thread of a small pool, over the
// printers' own seams, with the results handed back in the order the printers were named.
#pragma once

#include "cli/printer_access.h"

#include <cstddef>
#include <functional>
#include <span>

namespace sb::cli {

struct SendTarget {
    Queue queue;
    PrinterAccess* access = nullptr; // the seam it is reached through
};

struct SendCounts {
    std::size_t done = 0; // sent or skipped
    std::size_t failed = 0;
    std::size_t left = 0;
};

// Sends to up to `jobs` targets at a time. On the calling thread, `report` gets each result
// in the targets' order as soon as it and every one before it are known, and `progress` the
// counts at the start and whenever one more has ended.
void SendEach(std::span<const SendTarget> targets, const SettingRecord& record,
              std::chrono::seconds wait, std::size_t jobs,
              const std::function<void(std::size_t, const SendResult&)>& report,
              const std::function<void(const SendCounts&)>& progress);

} // namespace sb::cli

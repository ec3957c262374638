// Printers reached straight at their raw port, as the network cards of impact printers take
// jobs: the record's bytes over one TCP connection and nothing else, no queue in between. A
// job counts as sent once every byte was written and the printer closed its end after ours,
// all within the time given.
#pragma once

#include "cli/printer_access.h"

namespace sb::cli {

class CSocketAccess final : public PrinterAccess {
public:
    // Devices are named, never listed.
    QueueList Queues() override { return {}; }
    bool KnowsDriver() const override { return false; }
    // The queue's connection is the device's URI.
    SendResult Send(const Queue& queue, const SettingRecord& record,
                    std::chrono::seconds wait) override;
};

} // namespace sb::cli

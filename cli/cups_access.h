// The printers of a CUPS scheduler (the one CUPS_SERVER or client.conf names): its queues by
// name, and a raw job named as the panel names its own. A job counts as sent once the queue
// has handed it to the printer; one still waiting when the time is up is cancelled. Each
// thread asks the scheduler on a connection of its own, as libcups keeps its default one.
#pragma once

#include "cli/printer_access.h"

namespace sb::cli {

class CupsAccess final : public PrinterAccess {
public:
    QueueList Queues() override;
    bool KnowsDriver() const override { return false; }
    SendResult Send(const Queue& queue, const SettingRecord& record,
                    std::chrono::seconds wait) override;
};

} // namespace sb::cli

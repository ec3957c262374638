// The printers as switchboard-cli sees them, behind one small seam: the print spooler of
// Windows (the panel's own way of finding and sending), a CUPS scheduler, or a printer's raw
// port.
#pragma once

#include "record/setting_record.h"

#include <chrono>
#include <string>
#include <vector>

namespace sb::cli {

struct Queue {
    std::string name;
    std::string connection; // the port or server; the device URI on CUPS
    bool operator==(const Queue&) const = default;
};

struct QueueList {
    std::vector<Queue> queues;
    std::string error; // why the queues could not be listed; empty when they were
};

enum class SendOutcome {
    Sent,
    Skipped, // a queue that is never sent to (FILE:)
    Failed,
};

struct SendResult {
    SendOutcome outcome = SendOutcome::Failed;
    std::string detail; // why it was not sent
};

class PrinterAccess {
public:
    virtual ~PrinterAccess() = default;
    // The queues that `printers` lists and `send` may name.
    virtual QueueList Queues() = 0;
    // False where queues carry no driver name, so that "every queue of the printer" means
    // nothing (CUPS).
    virtual bool KnowsDriver() const = 0;
    // One job holding exactly the record's 270 bytes. Where the spooler can tell when the job
    // has reached the printer (CUPS, a raw port), it waits that long for it. Runs on several
    // threads at once, one queue each.
    virtual SendResult Send(const Queue& queue, const SettingRecord& record,
                            std::chrono::seconds wait) = 0;
};

} // namespace sb::cli

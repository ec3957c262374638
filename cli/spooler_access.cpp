#include "cli/spooler_access.h"

#include "printer/printer_selection.h"
#include "printer/send.h"

namespace sb::cli {

QueueList SpoolerAccess::Queues() {
    QueueList list;
    for (PrinterRow& row : FindPrinters(m_spooler, m_os)) {
        list.queues.push_back({std::move(row.name), std::move(row.connection)});
    }
    return list;
}

SendResult SpoolerAccess::Send(const Queue& queue, const SettingRecord& record,
                               std::chrono::seconds /*wait*/) {
    if (queue.connection == kFilePort) {
        return {SendOutcome::Skipped,
                "the connection is FILE:, which never reaches the printer (the panel refuses it "
                "too)"};
    }
    if (!SendRecord(m_spooler, m_os, queue.name, record)) {
        return {SendOutcome::Failed, "the spooler did not take the job: the printer is not "
                                     "connected, or its usage rights do not allow it"};
    }
    return {SendOutcome::Sent, {}};
}

} // namespace sb::cli

// The printers of a Windows print spooler, as the panel finds and sends to them: the queues
// its printer selection offers, its job, and its refusal of FILE:.
#pragma once

#include "cli/printer_access.h"
#include "base/os_version.h"

namespace sb {
class Spooler;
}

namespace sb::cli {

class SpoolerAccess final : public PrinterAccess {
public:
    SpoolerAccess(Spooler& spooler, const OsVersionInfo& os) : m_spooler(spooler), m_os(os) {}

    QueueList Queues() override;
    bool KnowsDriver() const override { return true; }
    // The spooler tells only that it took the job, as the panel knows it: nothing to wait for.
    // Safe on several threads at once as long as the spooler is: this keeps no state of its
    // own, and winspool's calls are.
    SendResult Send(const Queue& queue, const SettingRecord& record,
                    std::chrono::seconds wait) override;

private:
    Spooler& m_spooler;
    OsVersionInfo m_os;
};

} // namespace sb::cli

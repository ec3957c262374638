// The record sender of the program: one raw job through the print spooler.
#pragma once

#include "app/record_sender.h"
#include "base/os_version.h"

namespace sb {

class Spooler;

class SpoolerRecordSender final : public RecordSender {
public:
    SpoolerRecordSender(Spooler& spooler, const OsVersion& os) : m_spooler(spooler), m_os(os) {}
    bool Send(const std::string& printerName, const SettingRecord& record) override;

private:
    Spooler& m_spooler;
    const OsVersion& m_os;
};

} // namespace sb

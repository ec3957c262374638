// Submitting the setting record to a printer queue as one raw spooler document.
#pragma once

#include "printer/os_version.h"
#include "record/setting_record.h"

#include <string>

namespace sb {

class Spooler;

inline constexpr const char* kSendDocName = "Switchboard Status Write";

// Opens the queue by the platform's rules, writes the 270 bytes as one document and closes
// every handle it opened. True only when the spooler took the whole job.
bool SendRecord(Spooler& spooler, const OsVersionInfo& os, const std::string& printerName,
                const SettingRecord& record);

} // namespace sb

// Submitting the setting record to a printer queue as one raw spooler document.
#pragma once

#include "base/os_version.h"
#include "record/setting_record.h"

#include <string>

namespace sb {

class Spooler;

inline constexpr const char* kSendDocName = "Switchboard Status Write";
// The job's bytes are the printer's command as they stand, so the job always names a data
// type that passes them through: a queue's default may be a metafile type that would play
// the bytes as a drawing instead.
inline constexpr const char* kRawDatatype = "RAW";
inline constexpr const char* kXpsPassDatatype = "XPS_PASS";

// Opens the queue by the platform's rules, writes the 270 bytes as one document and closes
// every handle it opened. True only when the spooler took the whole job; a job that could
// not take every byte is aborted, so no part of the command reaches the printer.
bool SendRecord(Spooler& spooler, const OsVersionInfo& os, const std::string& printerName,
                const SettingRecord& record);

} // namespace sb

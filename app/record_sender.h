// Hands the setting record to a printer queue; true only when the spooler took the job.
#pragma once

#include "record/setting_record.h"

#include <string>

namespace sb {

class RecordSender {
public:
    virtual ~RecordSender() = default;
    virtual bool Send(const std::string& printerName, const SettingRecord& record) = 0;
};

} // namespace sb

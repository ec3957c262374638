#include "app/spooler_record_sender.h"

#include "printer/send.h"

namespace sb {

bool SpoolerRecordSender::Send(const std::string& printerName, const SettingRecord& record) {
    return SendRecord(m_spooler, m_os.Get(), printerName, record);
}

} // namespace sb

#include "printer/send.h"

#include "printer/spooler.h"

namespace sb {
namespace {

// The NT family trusts the open; the older family opens with no access rights and asks the
// queue whether it is waiting for the user.
PrinterHandle OpenForJob(Spooler& spooler, const OsVersionInfo& os,
                         const std::string& printerName) {
    if (os.platformId == kPlatformNt) {
        return spooler.Open(printerName, spool::kAccessUse);
    }
    PrinterHandle printer = spooler.Open(printerName, 0);
    if (!printer) {
        return printer;
    }
    const std::optional<PrinterInfo2> info = spooler.GetPrinter2(printer.Get());
    if (!info || (info->status & spool::kStatusUserIntervention) != 0) {
        return {};
    }
    return printer;
}

} // namespace

bool SendRecord(Spooler& spooler, const OsVersionInfo& os, const std::string& printerName,
                const SettingRecord& record) {
    PrinterHandle printer = OpenForJob(spooler, os, printerName);
    if (!printer) {
        return false;
    }
    // No data type: the queue's default carries the bytes as they are.
    if (!spooler.StartDocument(printer.Get(), DocInfo{kSendDocName, std::nullopt, std::nullopt})) {
        return false;
    }
    // Some spoolers do not implement the reset and say so; it changes nothing either way.
    spooler.Reset(printer.Get());
    const std::optional<std::size_t> written = spooler.Write(printer.Get(), record);
    // A job that could not be delivered shows only here, after a write that looked fine.
    const bool ended = spooler.EndDocument(printer.Get());
    return written && *written == record.size() && ended;
}

} // namespace sb

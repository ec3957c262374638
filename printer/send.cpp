#include "printer/send.h"

#include "printer/spooler.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

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

// Every byte, the rest again after a short write; false once the spooler takes none.
bool WriteAll(Spooler& spooler, Spooler::Handle printer, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::optional<std::size_t> written = spooler.Write(printer, bytes.subspan(done));
        if (!written || *written == 0 || *written > bytes.size() - done) {
            return false;
        }
        done += *written;
    }
    return true;
}

} // namespace

bool SendRecord(Spooler& spooler, const OsVersionInfo& os, const std::string& printerName,
                const SettingRecord& record) {
    PrinterHandle printer = OpenForJob(spooler, os, printerName);
    if (!printer) {
        return false;
    }
    const char* datatype = spooler.HasXpsDriver(printer.Get()) ? kXpsPassDatatype : kRawDatatype;
    if (!spooler.StartDocument(printer.Get(), DocInfo{kSendDocName, std::nullopt, datatype})) {
        return false;
    }
    // Some spoolers do not implement the reset and say so; it changes nothing either way.
    spooler.Reset(printer.Get());
    if (!WriteAll(spooler, printer.Get(), record)) {
        // A cut-off setting command must never reach the printer.
        spooler.Abort(printer.Get());
        return false;
    }
    // A job that could not be delivered shows only here, after a write that looked fine.
    return spooler.EndDocument(printer.Get());
}

} // namespace sb

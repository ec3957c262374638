// The spooler seam over winspool: UTF-8 names in, UTF-16 to the W functions.
#pragma once

#include "printer/spooler.h"

namespace sb {

class WinSpooler final : public Spooler {
public:
    std::vector<PrinterInfo4> EnumPrinters4(std::uint32_t flags) override;
    std::vector<PrinterInfo2> EnumPrinters2(std::uint32_t flags,
                                            const std::optional<std::string>& name) override;
    std::optional<PrinterInfo2> GetPrinter2(Handle printer) override;
    bool HasXpsDriver(Handle printer) override;
    bool StartDocument(Handle printer, const DocInfo& doc) override;
    bool Reset(Handle printer) override;
    std::optional<std::size_t> Write(Handle printer, std::span<const std::uint8_t> bytes) override;
    bool EndDocument(Handle printer) override;
    bool Abort(Handle printer) override;

private:
    Handle AcquirePrinter(const std::string& name, std::uint32_t access) override;
    void ReleasePrinter(Handle printer) override;
};

} // namespace sb

#include "printer/win_spooler.h"

#include "ui/system_dll.h"
#include "ui/wide_text.h"

#include <windows.h>
#include <winspool.h>

namespace sb {
namespace {

// DRIVER_INFO_8's attribute of a driver on the XPS print path; the headers here lack it.
constexpr DWORD kPrinterDriverXps = 0x00000002;

// winspool.drv from the system folder, loaded at the first spooler call and kept while the
// process runs: every command lists, opens or writes through it.
struct Winspool {
    CSystemDll dll{L"winspool.drv"};
    SB_SYSTEM_FUNCTION(dll, EnumPrintersW);
    SB_SYSTEM_FUNCTION(dll, OpenPrinterW);
    SB_SYSTEM_FUNCTION(dll, ClosePrinter);
    SB_SYSTEM_FUNCTION(dll, GetPrinterW);
    SB_SYSTEM_FUNCTION(dll, GetPrinterDriverW);
    SB_SYSTEM_FUNCTION(dll, StartDocPrinterW);
    SB_SYSTEM_FUNCTION(dll, ResetPrinterW);
    SB_SYSTEM_FUNCTION(dll, WritePrinter);
    SB_SYSTEM_FUNCTION(dll, EndDocPrinter);
    SB_SYSTEM_FUNCTION(dll, AbortPrinter);
};

const Winspool& Api() {
    static const Winspool winspool;
    return winspool;
}

HANDLE Native(Spooler::Handle printer) {
    return reinterpret_cast<HANDLE>(printer);
}

std::string Text(const wchar_t* text) {
    return text ? Narrow(text) : std::string();
}

std::optional<std::string> OptionalText(const wchar_t* text) {
    if (!text) {
        return std::nullopt;
    }
    return Narrow(text);
}

// The spooler's two-call pattern: ask with what we have, grow to the size it names, ask
// again. The block starts zero-filled, and a list that grew in between is simply re-read.
template <typename Fill> bool FillBuffer(std::vector<BYTE>& buffer, Fill fill) {
    DWORD needed = 0;
    while (!fill(buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()),
                 &needed)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) {
            return false;
        }
        buffer.assign(needed, 0);
    }
    return true;
}

PrinterInfo2 FromNative(const PRINTER_INFO_2W& info) {
    return {OptionalText(info.pServerName), Text(info.pPrinterName), Text(info.pPortName),
            Text(info.pDriverName), info.Status};
}

// The entries point into the buffer, which must outlive them.
template <typename Info>
std::vector<Info> Enumerate(DWORD flags, wchar_t* name, DWORD level, std::vector<BYTE>& buffer) {
    DWORD count = 0;
    const bool filled = FillBuffer(buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
        return Api().EnumPrintersW(flags, name, level, data, size, needed, &count) != FALSE;
    });
    std::vector<Info> infos;
    if (filled && count != 0) {
        const auto* first = reinterpret_cast<const Info*>(buffer.data());
        infos.assign(first, first + count);
    }
    return infos;
}

} // namespace

std::vector<PrinterInfo4> WinSpooler::EnumPrinters4(std::uint32_t flags) {
    std::vector<BYTE> buffer;
    std::vector<PrinterInfo4> printers;
    for (const PRINTER_INFO_4W& info : Enumerate<PRINTER_INFO_4W>(flags, nullptr, 4, buffer)) {
        printers.push_back(
            {Text(info.pPrinterName), OptionalText(info.pServerName), info.Attributes});
    }
    return printers;
}

std::vector<PrinterInfo2> WinSpooler::EnumPrinters2(std::uint32_t flags,
                                                    const std::optional<std::string>& name) {
    std::wstring wideName = name ? Widen(*name) : std::wstring();
    std::vector<BYTE> buffer;
    std::vector<PrinterInfo2> printers;
    for (const PRINTER_INFO_2W& info :
         Enumerate<PRINTER_INFO_2W>(flags, name ? wideName.data() : nullptr, 2, buffer)) {
        printers.push_back(FromNative(info));
    }
    return printers;
}

Spooler::Handle WinSpooler::AcquirePrinter(const std::string& name, std::uint32_t access) {
    std::wstring wideName = Widen(name);
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    HANDLE printer = nullptr;
    if (!Api().OpenPrinterW(wideName.data(), &printer, &defaults)) {
        return 0;
    }
    return reinterpret_cast<Handle>(printer);
}

void WinSpooler::ReleasePrinter(Handle printer) {
    Api().ClosePrinter(Native(printer));
}

std::optional<PrinterInfo2> WinSpooler::GetPrinter2(Handle printer) {
    std::vector<BYTE> buffer;
    const bool filled = FillBuffer(buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
        return Api().GetPrinterW(Native(printer), 2, data, size, needed) != FALSE;
    });
    if (!filled || buffer.empty()) {
        return std::nullopt;
    }
    return FromNative(*reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data()));
}

bool WinSpooler::HasXpsDriver(Handle printer) {
    std::vector<BYTE> buffer;
    const bool filled = FillBuffer(buffer, [&](BYTE* data, DWORD size, DWORD* needed) {
        return Api().GetPrinterDriverW(Native(printer), nullptr, 8, data, size, needed) != FALSE;
    });
    if (!filled || buffer.size() < sizeof(DRIVER_INFO_8W)) {
        return false;
    }
    const auto& info = *reinterpret_cast<const DRIVER_INFO_8W*>(buffer.data());
    return (info.dwPrinterDriverAttributes & kPrinterDriverXps) != 0;
}

bool WinSpooler::StartDocument(Handle printer, const DocInfo& doc) {
    std::wstring docName = Widen(doc.docName);
    std::wstring outputFile = doc.outputFile ? Widen(*doc.outputFile) : std::wstring();
    std::wstring datatype = doc.datatype ? Widen(*doc.datatype) : std::wstring();
    DOC_INFO_1W info{docName.data(), doc.outputFile ? outputFile.data() : nullptr,
                     doc.datatype ? datatype.data() : nullptr};
    return Api().StartDocPrinterW(Native(printer), 1, reinterpret_cast<BYTE*>(&info)) != 0;
}

bool WinSpooler::Reset(Handle printer) {
    return Api().ResetPrinterW(Native(printer), nullptr) != FALSE;
}

std::optional<std::size_t> WinSpooler::Write(Handle printer, std::span<const std::uint8_t> bytes) {
    DWORD written = 0;
    // WritePrinter only reads the bytes; its prototype just lacks the const.
    if (!Api().WritePrinter(Native(printer), const_cast<std::uint8_t*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()), &written)) {
        return std::nullopt;
    }
    return written;
}

bool WinSpooler::EndDocument(Handle printer) {
    return Api().EndDocPrinter(Native(printer)) != FALSE;
}

bool WinSpooler::Abort(Handle printer) {
    return Api().AbortPrinter(Native(printer)) != FALSE;
}

} // namespace sb

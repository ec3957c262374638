#include "tools/queue_admin.h"

#include <winspool.h>

namespace sb {
namespace {

class QueueHandle {
public:
    explicit QueueHandle(HANDLE handle) : m_handle(handle) {}
    QueueHandle(const QueueHandle&) = delete;
    QueueHandle& operator=(const QueueHandle&) = delete;
    ~QueueHandle() {
        if (m_handle) {
            ::ClosePrinter(m_handle);
        }
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

DWORD AddDriver(const std::wstring& driver) {
    std::wstring name = driver;
    // Wine's PostScript driver stands in for every driver: the queue only needs files that
    // exist.
    std::wstring driverFile = L"wineps.drv";
    std::wstring dataFile = L"generic.ppd";
    DRIVER_INFO_3W info{};
    info.cVersion = 3;
    info.pName = name.data();
    info.pDriverPath = driverFile.data();
    info.pDataFile = dataFile.data();
    info.pConfigFile = driverFile.data();
    if (::AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info))) {
        return ERROR_SUCCESS;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED ? ERROR_SUCCESS : error;
}

} // namespace

DWORD AddQueue(const QueueInfo& queue) {
    if (const DWORD error = AddDriver(queue.driver); error != ERROR_SUCCESS) {
        return error;
    }
    std::wstring name = queue.name;
    std::wstring driver = queue.driver;
    std::wstring port = queue.port;
    std::wstring processor = L"WinPrint";
    std::wstring datatype = L"RAW";
    PRINTER_INFO_2W info{};
    info.pPrinterName = name.data();
    info.pPortName = port.data();
    info.pDriverName = driver.data();
    info.pPrintProcessor = processor.data();
    info.pDatatype = datatype.data();
    QueueHandle printer(::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
    return printer.Get() ? ERROR_SUCCESS : ::GetLastError();
}

DWORD RemoveQueue(const std::wstring& name) {
    std::wstring wideName = name;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE opened = nullptr;
    if (!::OpenPrinterW(wideName.data(), &opened, &defaults)) {
        return ::GetLastError();
    }
    QueueHandle printer(opened);
    return ::DeletePrinter(printer.Get()) ? ERROR_SUCCESS : ::GetLastError();
}

std::vector<QueueInfo> ListQueues() {
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    std::vector<QueueInfo> queues;
    if (needed == 0 ||
        !::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        return queues;
    }
    const auto* infos = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        const auto text = [](const wchar_t* s) { return std::wstring(s ? s : L""); };
        queues.push_back(
            {text(infos[i].pPrinterName), text(infos[i].pDriverName), text(infos[i].pPortName)});
    }
    return queues;
}

} // namespace sb

// The print spooler as the core sees it: queue lists, an open printer, one raw document.
// Values that the spooler defines (flags, attributes, status bits) keep the platform's own
// numbers, so the Win32 side passes them through untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sb {

namespace spool {
inline constexpr std::uint32_t kEnumLocal = 0x2;
inline constexpr std::uint32_t kEnumConnections = 0x4;
inline constexpr std::uint32_t kEnumName = 0x8;
inline constexpr std::uint32_t kAccessUse = 0x8;
inline constexpr std::uint32_t kAttributeNetwork = 0x10;
inline constexpr std::uint32_t kStatusUserIntervention = 0x00100000;
} // namespace spool

// A queue as the level 4 enumeration lists it: cheap, and it tells connections apart.
struct PrinterInfo4 {
    std::string name;
    std::optional<std::string> server; // absent for a local queue
    std::uint32_t attributes = 0;
};

// A queue in full, from the level 2 enumeration or from an open printer.
struct PrinterInfo2 {
    std::optional<std::string> server;
    std::string name;
    std::string port;
    std::string driver;
    std::uint32_t status = 0;
};

// A document as StartDocument takes it; an absent output file or data type is passed as null.
struct DocInfo {
    std::string docName;
    std::optional<std::string> outputFile;
    std::optional<std::string> datatype;
};

class PrinterHandle;

class Spooler {
public:
    // Opaque to the core; 0 is never an open printer.
    using Handle = std::uintptr_t;

    virtual ~Spooler() = default;

    // A failed enumeration lists nothing.
    virtual std::vector<PrinterInfo4> EnumPrinters4(std::uint32_t flags) = 0;
    // name is the server to ask, absent for the local machine.
    virtual std::vector<PrinterInfo2> EnumPrinters2(std::uint32_t flags,
                                                    const std::optional<std::string>& name) = 0;

    // An empty handle when the printer cannot be opened with that access.
    PrinterHandle Open(const std::string& name, std::uint32_t access);

    virtual std::optional<PrinterInfo2> GetPrinter2(Handle printer) = 0;
    // True when the queue's driver prints through the XPS path, which takes raw bytes only
    // under a data type of its own; false also when the driver cannot be asked.
    virtual bool HasXpsDriver(Handle printer) = 0;
    virtual bool StartDocument(Handle printer, const DocInfo& doc) = 0;
    virtual bool Reset(Handle printer) = 0;
    // The count of bytes the spooler says it took, or nothing when the call failed.
    virtual std::optional<std::size_t> Write(Handle printer,
                                             std::span<const std::uint8_t> bytes) = 0;
    virtual bool EndDocument(Handle printer) = 0;
    // Drops the document begun on the printer instead of ending it.
    virtual bool Abort(Handle printer) = 0;

private:
    friend class PrinterHandle;
    // Only PrinterHandle acquires and releases, so no printer outlives the code that opened it.
    virtual Handle AcquirePrinter(const std::string& name, std::uint32_t access) = 0;
    virtual void ReleasePrinter(Handle printer) = 0;
};

class PrinterHandle {
public:
    PrinterHandle() = default;
    PrinterHandle(Spooler& spooler, Spooler::Handle handle)
        : m_spooler(&spooler), m_handle(handle) {}
    PrinterHandle(PrinterHandle&& other) noexcept
        : m_spooler(other.m_spooler), m_handle(other.m_handle) {
        other.m_handle = 0;
    }
    PrinterHandle& operator=(PrinterHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_spooler = other.m_spooler;
            m_handle = other.m_handle;
            other.m_handle = 0;
        }
        return *this;
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    ~PrinterHandle() { Close(); }

    explicit operator bool() const { return m_handle != 0; }
    Spooler::Handle Get() const { return m_handle; }

    void Close() {
        if (m_handle != 0) {
            m_spooler->ReleasePrinter(m_handle);
            m_handle = 0;
        }
    }

private:
    Spooler* m_spooler = nullptr;
    Spooler::Handle m_handle = 0;
};

inline PrinterHandle Spooler::Open(const std::string& name, std::uint32_t access) {
    return PrinterHandle(*this, AcquirePrinter(name, access));
}

} // namespace sb

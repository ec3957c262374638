// A scripted print spooler for tests. Queues are set up with AddLocal / AddConnection, any
// call can be made to fail, and every call is logged as one line of text. A handle left open
// when the fake goes out of scope, or used after it was closed, fails the running test.
#pragma once

#include "printer/spooler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sb::test {

class FakeSpooler : public Spooler {
public:
    // The attributes a local queue reports (PRINTER_ATTRIBUTE_LOCAL) unless told otherwise.
    static constexpr std::uint32_t kLocalAttributes = 0x40;

    // Level 4 entries in enumeration order; level 2 lists by server (nullopt = local).
    std::vector<PrinterInfo4> level4;
    std::map<std::optional<std::string>, std::vector<PrinterInfo2>> level2;

    // Scripted failures.
    std::set<std::string> unopenable;
    bool failGetPrinter = false;
    bool failStartDoc = false;
    bool resetResult = false; // the reset is known not to work everywhere
    bool xpsDriver = false;
    bool failWrite = false;
    // Bytes each write takes, one entry per call in turn; every byte once they run out.
    std::vector<std::size_t> writtenCounts;
    bool failEndDoc = false;

    // What happened.
    std::vector<std::string> calls;
    std::vector<DocInfo> docs;
    std::vector<std::vector<std::uint8_t>> writes;

    ~FakeSpooler() override {
        for (const auto& [handle, name] : m_open) {
            ADD_FAILURE() << "printer \"" << name << "\" (handle " << handle << ") left open";
        }
    }

    // A local queue, listed by both enumerations. The reference is good until the next Add.
    PrinterInfo2& AddLocal(const std::string& name, const std::string& driver,
                           const std::string& port, std::uint32_t attributes = kLocalAttributes,
                           std::uint32_t status = 0) {
        level4.push_back({name, std::nullopt, attributes});
        level2[std::nullopt].push_back({std::nullopt, name, port, driver, status});
        return level2[std::nullopt].back();
    }

    // A printer connection: its level 2 entry lives on its server.
    PrinterInfo2& AddConnection(const std::string& server, const std::string& name,
                                const std::string& driver, const std::string& port,
                                std::uint32_t attributes = 0x10) {
        level4.push_back({name, server, attributes});
        level2[server].push_back({server, name, port, driver, 0});
        return level2[server].back();
    }

    std::vector<PrinterInfo4> EnumPrinters4(std::uint32_t flags) override {
        calls.push_back("EnumPrinters4 flags=" + std::to_string(flags));
        return level4;
    }

    std::vector<PrinterInfo2> EnumPrinters2(std::uint32_t flags,
                                            const std::optional<std::string>& name) override {
        calls.push_back("EnumPrinters2 flags=" + std::to_string(flags) +
                        " name=" + name.value_or("(null)"));
        auto found = level2.find(name);
        return found == level2.end() ? std::vector<PrinterInfo2>{} : found->second;
    }

    std::optional<PrinterInfo2> GetPrinter2(Handle printer) override {
        calls.push_back("GetPrinter2 " + NameOf(printer));
        if (failGetPrinter) {
            return std::nullopt;
        }
        for (const auto& [server, infos] : level2) {
            for (const PrinterInfo2& info : infos) {
                if (info.name == NameOf(printer)) {
                    return info;
                }
            }
        }
        return std::nullopt;
    }

    bool HasXpsDriver(Handle printer) override {
        calls.push_back("Driver " + NameOf(printer));
        return xpsDriver;
    }

    bool StartDocument(Handle printer, const DocInfo& doc) override {
        calls.push_back("StartDoc " + NameOf(printer));
        docs.push_back(doc);
        return !failStartDoc;
    }

    bool Reset(Handle printer) override {
        calls.push_back("Reset " + NameOf(printer));
        return resetResult;
    }

    std::optional<std::size_t> Write(Handle printer, std::span<const std::uint8_t> bytes) override {
        calls.push_back("Write " + NameOf(printer) + " " + std::to_string(bytes.size()));
        writes.emplace_back(bytes.begin(), bytes.end());
        if (failWrite) {
            return std::nullopt;
        }
        if (m_nWrites < writtenCounts.size()) {
            return writtenCounts[m_nWrites++];
        }
        return bytes.size();
    }

    bool EndDocument(Handle printer) override {
        calls.push_back("EndDoc " + NameOf(printer));
        return !failEndDoc;
    }

    bool Abort(Handle printer) override {
        calls.push_back("Abort " + NameOf(printer));
        return true;
    }

    std::size_t OpenCount() const { return m_open.size(); }

private:
    Handle AcquirePrinter(const std::string& name, std::uint32_t access) override {
        calls.push_back("Open " + name + " access=" + std::to_string(access));
        if (unopenable.count(name) != 0) {
            return 0;
        }
        const Handle handle = m_next++;
        m_open[handle] = name;
        return handle;
    }

    void ReleasePrinter(Handle printer) override {
        auto found = m_open.find(printer);
        if (found == m_open.end()) {
            ADD_FAILURE() << "closing handle " << printer << ", which is not open";
            return;
        }
        calls.push_back("Close " + found->second);
        m_open.erase(found);
    }

    std::string NameOf(Handle printer) const {
        auto found = m_open.find(printer);
        if (found == m_open.end()) {
            ADD_FAILURE() << "handle " << printer << " used but not open";
            return "(closed)";
        }
        return found->second;
    }

    std::map<Handle, std::string> m_open;
    Handle m_next = 0x100;
    std::size_t m_nWrites = 0;
};

} // namespace sb::test

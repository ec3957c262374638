// The spooler seam, the selection and the send against real queues of this Wine prefix.
#include "printer/printer_selection.h"
#include "printer/send.h"
#include "printer/win_os_version.h"
#include "printer/win_spooler.h"
#include "tests/win/wine_files.h"
#include "tools/queue_admin.h"
#include "ui/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace sb {
namespace {

using test::ReadAll;
using test::TempPath;
using test::UnixPath;
using test::WaitForBytes;

const wchar_t kDriver[] = L"VYR Quillstrike 480ZQ9";

// Test processes may share the prefix: every queue name carries this process's id.
std::string Tag() {
    return "sbwt" + std::to_string(::GetCurrentProcessId()) + " ";
}

SettingRecord PatternRecord() {
    SettingRecord record{};
    for (std::size_t i = 0; i < record.size(); ++i) {
        record[i] = static_cast<std::uint8_t>(i * 7 + 1); // every byte value, CR and LF too
    }
    return record;
}

class NoPrompts : public Prompter {
public:
    Answer ShowMessage(std::string_view text, std::string_view, unsigned) override {
        ADD_FAILURE() << "unexpected message: " << text;
        return Answer::Ok;
    }
};

class PrinterWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_jobFile = TempPath(Widen(Tag()) + L"job.bin");
        ::DeleteFileW(m_jobFile.c_str());
        const std::string unixJob = UnixPath(m_jobFile);
        ASSERT_FALSE(unixJob.empty());
        const std::string missing = UnixPath(TempPath(L"")) + "/no-such-folder/job.bin";
        Add(Tag() + "gamma", kDriver, L"|cat > '" + Widen(unixJob) + L"'");
        Add(Tag() + "Beta", kDriver, L"FILE:");
        Add(Tag() + "alpha", L"VYR Quillstrike 480zq9", L"FILE:");
        Add(Tag() + "プリンタ", kDriver, Widen(missing));
    }

    void TearDown() override { ::DeleteFileW(m_jobFile.c_str()); }

    void Add(const std::string& name, const std::wstring& driver, const std::wstring& port) {
        m_queues.push_back(std::make_unique<ScopedQueue>(QueueInfo{Widen(name), driver, port}));
        ASSERT_EQ(m_queues.back()->Error(), static_cast<DWORD>(ERROR_SUCCESS)) << name;
    }

    // Ours only: a shared prefix may hold other tests' queues.
    template <typename T> static std::vector<T> Mine(const std::vector<T>& all) {
        std::vector<T> mine;
        std::copy_if(all.begin(), all.end(), std::back_inserter(mine),
                     [](const T& entry) { return entry.name.rfind(Tag(), 0) == 0; });
        return mine;
    }

    WinSpooler m_spooler;
    std::wstring m_jobFile;
    std::vector<std::unique_ptr<ScopedQueue>> m_queues;
};

TEST_F(PrinterWinTest, EnumeratesTheQueuesWithTheirDriversAndPorts) {
    const auto level4 = Mine(m_spooler.EnumPrinters4(spool::kEnumLocal | spool::kEnumConnections));
    ASSERT_EQ(level4.size(), 4u);
    for (const PrinterInfo4& entry : level4) {
        EXPECT_FALSE(entry.server.has_value()) << entry.name;
    }

    auto level2 = Mine(m_spooler.EnumPrinters2(spool::kEnumName, std::nullopt));
    ASSERT_EQ(level2.size(), 4u);
    std::sort(level2.begin(), level2.end(),
              [](const PrinterInfo2& a, const PrinterInfo2& b) { return a.name < b.name; });
    EXPECT_EQ(level2[0].name, Tag() + "Beta");
    EXPECT_EQ(level2[0].port, "FILE:");
    EXPECT_EQ(level2[1].name, Tag() + "alpha");
    EXPECT_EQ(level2[1].driver, "VYR Quillstrike 480zq9");
    EXPECT_EQ(level2[2].name, Tag() + "gamma");
    EXPECT_EQ(level2[2].driver, "VYR Quillstrike 480ZQ9");
    EXPECT_EQ(level2[2].port.rfind("|cat > ", 0), 0u);
    EXPECT_EQ(level2[3].name, Tag() + "プリンタ");
}

TEST_F(PrinterWinTest, SelectionOffersTheRightDriverInListOrder) {
    const OsVersionInfo os = WinOsVersion().Get();
    EXPECT_EQ(os.platformId, kPlatformNt);
    EXPECT_GE(os.major, 6u);

    CPrinterSelection selection;
    selection.m_bStartupDone = true;
    NoPrompts prompter;
    selection.FindRows(m_spooler, os);
    EXPECT_EQ(selection.OnInit(prompter), SelectOutcome::Stay);
    const std::vector<PrinterRow> rows = Mine(selection.Rows());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, Tag() + "Beta");
    EXPECT_EQ(rows[0].connection, "FILE:");
    EXPECT_EQ(rows[1].name, Tag() + "gamma");
    EXPECT_EQ(rows[1].connection.rfind("|cat > ", 0), 0u);
    EXPECT_EQ(rows[2].name, Tag() + "プリンタ");
}

TEST_F(PrinterWinTest, SendDeliversExactlyTheRecordThroughAPipePort) {
    const SettingRecord record = PatternRecord();
    ASSERT_TRUE(SendRecord(m_spooler, WinOsVersion().Get(), Tag() + "gamma", record));
    EXPECT_EQ(WaitForBytes(m_jobFile, record.size()),
              std::vector<std::uint8_t>(record.begin(), record.end()));
}

TEST_F(PrinterWinTest, OlderFamilyPathOpensAndReadsTheStatus) {
    const SettingRecord record = PatternRecord();
    ASSERT_TRUE(
        SendRecord(m_spooler, OsVersionInfo{kPlatformWindows, 4, 10}, Tag() + "gamma", record));
    EXPECT_EQ(WaitForBytes(m_jobFile, record.size()).size(), record.size());
}

TEST_F(PrinterWinTest, UndeliverableJobIsNotASuccess) {
    EXPECT_FALSE(SendRecord(m_spooler, WinOsVersion().Get(), Tag() + "プリンタ", PatternRecord()));
}

TEST_F(PrinterWinTest, UnknownQueueIsNotASuccess) {
    EXPECT_FALSE(SendRecord(m_spooler, WinOsVersion().Get(), Tag() + "nowhere", PatternRecord()));
}

} // namespace
} // namespace sb

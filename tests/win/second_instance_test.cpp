// The real program started as child processes: one instance at a time, the component switches,
// and the exit codes.
#include "panel_test_support.h"
#include "tools/queue_admin.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace sb {
namespace {

using test::Tag;
using test::WindowText;

// Ends the child if a test leaves it running, and closes its handles.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (m_info.hProcess) {
            if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
                ::TerminateProcess(m_info.hProcess, 99);
                ::WaitForSingleObject(m_info.hProcess, 5000);
            }
            ::CloseHandle(m_info.hThread);
            ::CloseHandle(m_info.hProcess);
        }
    }
    bool Start(const std::wstring& program, const std::wstring& arguments = L"") {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program + L"\"" + arguments;
        return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, &startup, &m_info) != FALSE;
    }
    DWORD Id() const { return m_info.dwProcessId; }
    // The exit code, or nothing while it still runs after the wait.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const {
        if (::WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_info{};
};

// A top-level dialog of that process with that title.
HWND FindDialogOf(DWORD processId, const std::wstring& title) {
    struct Search {
        DWORD processId;
        const std::wstring& title;
        HWND found;
    } search{processId, title, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s.processId && test::ClassOf(hwnd) == L"#32770" &&
                WindowText(hwnd) == s.title) {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleDialog(const ChildProcess& child, const std::wstring& title) {
    for (int waited = 0; waited < 300; ++waited) {
        const HWND hwnd = FindDialogOf(child.Id(), title);
        if (hwnd && ::IsWindowVisible(hwnd)) {
            return hwnd;
        }
        if (child.WaitForExit(100)) {
            return nullptr;
        }
    }
    return nullptr;
}

std::wstring Switchboard() {
    // The build names the exe by its Unix path; Wine shows the Unix root as drive Z:.
    std::wstring path = Widen(SB_SWITCHBOARD_EXE);
    if (!path.empty() && path.front() == L'/') {
        path = L"Z:" + path;
    }
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

class SwitchboardExe : public ::testing::Test {
protected:
    void AddQueue() {
        m_queue = std::make_unique<ScopedQueue>(
            QueueInfo{Tag() + L"exe", test::kDriver, L"|cat > /dev/null"});
        ASSERT_EQ(m_queue->Error(), static_cast<DWORD>(ERROR_SUCCESS));
    }
    // A running panel of the child, ended again by its close box when the test ends.
    HWND StartPanel(ChildProcess& child, const std::wstring& program) {
        if (!child.Start(program)) {
            ADD_FAILURE() << "CreateProcessW failed with " << ::GetLastError();
            return nullptr;
        }
        const HWND panel = WaitForVisibleDialog(child, test::kPanelTitle);
        EXPECT_NE(panel, nullptr) << "no main window appeared";
        return panel;
    }
    static void Close(HWND panel, const ChildProcess& child) {
        ::PostMessageW(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(child.WaitForExit(10000), std::optional<DWORD>(0));
    }

    std::unique_ptr<ScopedQueue> m_queue;
};

TEST_F(SwitchboardExe, SecondInstanceBringsTheFirstToTheFrontAndEndsAtOnce) {
    AddQueue();
    ChildProcess first;
    const HWND panel = StartPanel(first, Switchboard());
    ASSERT_NE(panel, nullptr);
    ::ShowWindow(panel, SW_MINIMIZE);
    for (int i = 0; i < 50 && !::IsIconic(panel); ++i) {
        ::Sleep(100);
    }
    ASSERT_TRUE(::IsIconic(panel));

    ChildProcess second;
    ASSERT_TRUE(second.Start(Switchboard()));
    EXPECT_EQ(second.WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_FALSE(::IsIconic(panel));
    EXPECT_EQ(::GetForegroundWindow(), panel);
    EXPECT_TRUE(::IsWindowVisible(panel));
    Close(panel, first);
}

TEST_F(SwitchboardExe, AnInstanceStillStartingStopsTheNextWithoutAWindow) {
    AddQueue();
    // What a first instance holds between taking its mutex and showing its window.
    const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, L"switchboard");
    ASSERT_NE(mutex, nullptr);
    ChildProcess child;
    ASSERT_TRUE(child.Start(Switchboard()));
    EXPECT_EQ(child.WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_EQ(FindDialogOf(child.Id(), test::kPanelTitle), nullptr);
    ::CloseHandle(mutex);
}

TEST_F(SwitchboardExe, CopyUnderAnotherNameRunsBesideIt) {
    AddQueue();
    const std::wstring copy = test::TempPath(Tag() + L"panel copy.exe");
    ASSERT_TRUE(::CopyFileW(Switchboard().c_str(), copy.c_str(), FALSE));
    {
        ChildProcess first;
        const HWND panel = StartPanel(first, Switchboard());
        ASSERT_NE(panel, nullptr);
        ChildProcess other;
        const HWND otherPanel = StartPanel(other, copy);
        ASSERT_NE(otherPanel, nullptr);
        EXPECT_NE(otherPanel, panel);
        Close(otherPanel, other);
        Close(panel, first);
    }
    ::DeleteFileW(copy.c_str());
}

TEST_F(SwitchboardExe, ComponentSwitchesEndItWithoutAWindow) {
    AddQueue();
    for (const wchar_t* arguments :
         {L" /RegServer", L" -unregserver", L" /Embedding", L" -AUTOMATION"}) {
        ChildProcess child;
        ASSERT_TRUE(child.Start(Switchboard(), arguments));
        EXPECT_EQ(child.WaitForExit(10000), std::optional<DWORD>(0)) << Narrow(arguments);
        EXPECT_EQ(FindDialogOf(child.Id(), test::kPanelTitle), nullptr);
    }
}

TEST_F(SwitchboardExe, NoPrinterEndsItWithExitCodeOne) {
    ChildProcess child;
    ASSERT_TRUE(child.Start(Switchboard()));
    const HWND box = WaitForVisibleDialog(child, L"Switchboard");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)),
              L"使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直して"
              L"ください。\n\nSwitchboardを終了します。");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.WaitForExit(10000), std::optional<DWORD>(1));
}

} // namespace
} // namespace sb

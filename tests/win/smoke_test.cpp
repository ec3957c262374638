// The main window's template as Windows builds it, and the real program's start and close.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "res/resource.h"
#include "tools/queue_admin.h"

namespace sb {
namespace {

constexpr const wchar_t* kTitle = L"VYR Quillstrike 480ZQ9 スイッチボード";

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    // WM_GETTEXT, not GetWindowText, which is stale across processes under Wine.
    // A hung window must fail the test, not hang it.
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return text;
}

// The top-level dialog of that process with the main window's title; other tests may run
// their own main windows at the same time.
HWND FindPanelOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s.processId && ClassOf(hwnd) == L"#32770" && TextOf(hwnd) == kTitle) {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

class PanelTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        m_hDlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PANEL), nullptr,
                                    PlainDialogProc, 0);
        ASSERT_NE(m_hDlg, nullptr);
    }
    void TearDown() override {
        if (m_hDlg) {
            DestroyWindow(m_hDlg);
        }
    }
    RECT DialogUnits(int left, int top, int right, int bottom) const {
        RECT rect{left, top, right, bottom};
        MapDialogRect(m_hDlg, &rect);
        return rect;
    }
    HWND m_hDlg = nullptr;
};

TEST_F(PanelTemplate, IsADialogFoundByClassAndTitle) {
    EXPECT_EQ(FindPanelOf(GetCurrentProcessId()), m_hDlg);
    EXPECT_NE(FindWindowW(L"#32770", kTitle), nullptr);
}

TEST_F(PanelTemplate, HasAFixedFrameWithMinimizeOnly) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hDlg, GWL_STYLE));
    const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0u);
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(m_hDlg, GWL_EXSTYLE));
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
}

TEST_F(PanelTemplate, IsCentredAndSizedInDialogUnits) {
    RECT client{};
    GetClientRect(m_hDlg, &client);
    const RECT size = DialogUnits(0, 0, 245, 255);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    RECT window{};
    GetWindowRect(m_hDlg, &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int centreX = (work.left + work.right) / 2;
    const int centreY = (work.top + work.bottom) / 2;
    EXPECT_LE(std::abs((window.left + window.right) / 2 - centreX), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) / 2 - centreY), 1);
}

TEST_F(PanelTemplate, UsesTheJapaneseDialogFont) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(m_hDlg, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof(logFont), &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, L"ＭＳ Ｐゴシック");
    HDC dc = GetDC(m_hDlg);
    const int pixels = MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(m_hDlg, dc);
    EXPECT_EQ(std::abs(logFont.lfHeight), pixels);
}

TEST_F(PanelTemplate, HoldsTheTabControlAtItsPlace) {
    HWND tab = GetDlgItem(m_hDlg, IDC_TAB);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(ClassOf(tab), L"SysTabControl32");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(tab, GWL_STYLE));
    const DWORD wanted =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_MULTILINE | TCS_HOTTRACK | TCS_FOCUSONBUTTONDOWN;
    EXPECT_EQ(style & wanted, wanted);

    RECT place{};
    GetWindowRect(tab, &place);
    MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&place), 2);
    const RECT expected = DialogUnits(5, 20, 5 + 235, 20 + 221);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(place.right, expected.right);
    EXPECT_EQ(place.bottom, expected.bottom);
}

// Ends the child if a test leaves it running, and closes its handles.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (m_info.hProcess) {
            if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(m_info.hProcess, 99);
                WaitForSingleObject(m_info.hProcess, 5000);
            }
            CloseHandle(m_info.hThread);
            CloseHandle(m_info.hProcess);
        }
    }
    bool Start(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &m_info) != FALSE;
    }
    HANDLE Process() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info{};
};

std::wstring SwitchboardPath() {
    // The build names the exe by its Unix path; Wine shows the Unix root as drive Z:.
    std::string path = SB_SWITCHBOARD_EXE;
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::wstring wide(path.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return wide;
}

HWND WaitForPanelOf(const ChildProcess& child, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        // The dialog shows itself only after its initialisation.
        HWND hwnd = FindPanelOf(child.Id());
        if (hwnd && IsWindowVisible(hwnd)) {
            return hwnd;
        }
        if (WaitForSingleObject(child.Process(), 100) == WAIT_OBJECT_0) {
            return nullptr;
        }
    }
    return nullptr;
}

TEST(SwitchboardExe, ShowsItsMainWindowAndEndsWhenItCloses) {
    // With exactly one usable queue the program takes it without asking.
    const ScopedQueue queue({L"Smoke " + std::to_wstring(GetCurrentProcessId()),
                             L"VYR Quillstrike 480ZQ9", L"C:\\windows\\temp\\smoke.prn"});
    ASSERT_EQ(queue.Error(), static_cast<DWORD>(ERROR_SUCCESS));
    ChildProcess child;
    ASSERT_TRUE(child.Start(L"\"" + SwitchboardPath() + L"\""))
        << "CreateProcessW failed with " << GetLastError();
    HWND panel = WaitForPanelOf(child, 20000);
    ASSERT_NE(panel, nullptr) << "no main window appeared";
    EXPECT_NE(GetDlgItem(panel, IDC_TAB), nullptr);

    // The close box: nothing was changed, so the program ends without a question.
    PostMessageW(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(WaitForSingleObject(child.Process(), 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.Process(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(IsWindow(panel));
}

} // namespace
} // namespace sb

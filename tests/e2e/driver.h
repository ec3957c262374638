// Drives the real switchboard.exe from outside, as a user would: it starts the program,
// finds its windows by process, class and title, and works them with window messages only.
// Anything that may open a modal window is posted, never sent, so the driver never waits
// inside the program's modal loops.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb::e2e {

// Long enough for a loaded machine, short enough to keep a stuck scenario brief.
inline constexpr DWORD kWaitMs = 5000;
inline constexpr DWORD kStartMs = 15000;
inline constexpr DWORD kPollMs = 20;

// Asks until found() gives something, or the time is up; the last answer either way.
template <typename Found> auto Poll(DWORD timeoutMs, Found found) -> decltype(found()) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (auto result = found()) {
            return result;
        }
        if (::GetTickCount64() >= deadline) {
            return found();
        }
        ::Sleep(kPollMs);
    }
}

inline constexpr wchar_t kPanelTitle[] = L"VYR Quillstrike 480ZQ9 スイッチボード";

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);

// A Linux path as Wine programs see it, through the Z: drive; a Windows path stays as it is.
std::wstring DosPath(std::string_view unixPath);
// A variable of the test's environment, empty when unset.
std::string EnvVar(const char* name);

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept;
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle();

    HANDLE Get() const { return m_handle; }
    HANDLE Release();

private:
    HANDLE m_handle = nullptr;
};

// One run of the program. A run still going when the object dies is ended, so a failed
// scenario never leaves an instance behind to hold the single-instance mutex.
class AppProcess {
public:
    // Starts exe (a Windows path) in its own folder; Pid() is 0 if it could not start.
    explicit AppProcess(const std::wstring& exe);
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;
    ~AppProcess();

    DWORD Pid() const { return m_pid; }
    HANDLE Process() const { return m_process.Get(); }
    bool Running() const;
    // The exit code once the program has ended within timeoutMs.
    std::optional<DWORD> WaitExit(DWORD timeoutMs = kWaitMs) const;

private:
    UniqueHandle m_process;
    DWORD m_pid = 0;
};

std::wstring ClassOf(HWND hwnd);
// WM_GETTEXT: GetWindowText returns stale captions across processes under Wine.
std::wstring TextOf(HWND hwnd);

// Visible top-level windows of the process (of any process for pid 0) with that class, in
// z-order.
std::vector<HWND> WindowsOf(DWORD pid, std::wstring_view className);
// Its dialogs (class "#32770").
std::vector<HWND> DialogsOf(DWORD pid);
// Waits for a visible top-level dialog of the process (or any, for 0) with that title.
HWND WaitDialog(DWORD pid, std::wstring_view title, DWORD timeoutMs = kWaitMs);
// Waits for a visible top-level window of the process with that class, whatever its title.
HWND WaitWindowOfClass(DWORD pid, std::wstring_view className, DWORD timeoutMs = kWaitMs);
// "title | title | ..." of the process's visible dialogs, for failure messages.
std::wstring DescribeDialogs(DWORD pid);
bool WaitGone(HWND hwnd, DWORD timeoutMs = kWaitMs);

// Direct children of parent with that id (the first) or class and text.
HWND ChildById(HWND parent, int id);
HWND ChildByText(HWND parent, std::wstring_view className, std::wstring_view text);

// A message box as the user sees it: caption, text and the buttons it offers.
struct MessageBoxView {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons; // IDOK, IDCANCEL, IDYES, IDNO present, in that order
};

// Waits for a visible dialog of the process (or any, for 0) that is a message box (it has
// the text static 0xFFFF); nullopt when none came within the time.
std::optional<MessageBoxView> WaitMessageBox(DWORD pid, DWORD timeoutMs = kWaitMs);
// Presses the button with that id (posted: the answer may open the next modal window).
bool Press(HWND dialog, int buttonId);

// The standard open and save dialogs.
HWND WaitFileDialog(DWORD pid, DWORD timeoutMs = kWaitMs);
// Types the path into the file-name field and presses OK.
bool ChooseFile(HWND fileDialog, const std::wstring& path);

// Controls of a page or dialog of the program, worked like a user does.
// BM_CLICK: the button takes the focus and reports the click to its page.
void Click(HWND dialog, int buttonId);
bool IsChecked(HWND dialog, int buttonId);
// Selects the list entry with exactly that text and sends the page the CBN_SELCHANGE a
// user's choice sends; false when there is no such entry.
bool Choose(HWND dialog, int comboId, std::wstring_view entry);
std::wstring ComboText(HWND dialog, int comboId);
// Clicks into the edit, selects its whole text and types over it, key by key.
void Type(HWND dialog, int editId, std::wstring_view text);
// Brings the window to the front and types the key, with the modifier key (VK_CONTROL,
// VK_MENU) held if one is given, as keyboard input.
bool TypeKey(HWND window, WORD key, WORD modifier = 0);
// The same into whichever window the system gives the keys to now.
bool InputKey(WORD key, WORD modifier = 0);

// Texts that live in the program's memory (list view items, status bar panes) need a buffer
// there.
std::wstring ListViewText(HWND listView, int row, int column);
std::wstring StatusText(HWND statusBar, int pane);

// The main window.
class Panel {
public:
    explicit Panel(HWND hwnd) : m_hwnd(hwnd) {}

    HWND Hwnd() const { return m_hwnd; }
    // A menu or accelerator command, posted as the menu posts it.
    void Command(int id) const;
    // The close box.
    void Close() const;
    // The settings page that carries that hidden name ("機能選択", "パラメータ設定",
    // "MSW1" ... "MSW4"), once it is made.
    HWND Page(std::wstring_view name) const;
    // Shows a tab by its menu command and waits for the page to be the one shown.
    HWND ShowPage(int command, std::wstring_view name) const;

private:
    HWND m_hwnd;
};

} // namespace sb::e2e

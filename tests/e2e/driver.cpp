#include "tests/e2e/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace sb::e2e {
namespace {

// A window that does not answer within this long is taken as gone or hung.
constexpr UINT kSendTimeoutMs = 2000;
// Message boxes under Wine and Windows alike carry their text in this static.
constexpr int kMessageTextId = 0xFFFF;
// The file-name field of the standard open and save dialogs (cmb13).
constexpr int kFileNameId = 0x47C;

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::FindWindowExW(parent, nullptr, nullptr, nullptr); child;
         child = ::FindWindowExW(parent, child, nullptr, nullptr)) {
        children.push_back(child);
    }
    return children;
}

// The first descendant with that id, depth first.
HWND DescendantById(HWND parent, int id) {
    for (HWND child : Children(parent)) {
        if (::GetDlgCtrlID(child) == id) {
            return child;
        }
        if (HWND found = DescendantById(child, id)) {
            return found;
        }
    }
    return nullptr;
}

HWND DescendantByClass(HWND parent, std::wstring_view className) {
    for (HWND child : Children(parent)) {
        if (ClassOf(child) == className) {
            return child;
        }
        if (HWND found = DescendantByClass(child, className)) {
            return found;
        }
    }
    return nullptr;
}

bool IsMessageBox(HWND dialog) {
    bool hasText = false;
    for (HWND child : Children(dialog)) {
        const std::wstring className = ClassOf(child);
        if (className != L"Static" && className != L"Button") {
            return false;
        }
        hasText = hasText || (className == L"Static" && ::GetDlgCtrlID(child) == kMessageTextId);
    }
    return hasText;
}

// A block in another process's memory, for messages whose pointers the system does not
// carry across.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : m_size(size) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        m_process = UniqueHandle(
            ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (m_process.Get()) {
            m_address = ::VirtualAllocEx(m_process.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                         PAGE_READWRITE);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (m_address) {
            ::VirtualFreeEx(m_process.Get(), m_address, 0, MEM_RELEASE);
        }
    }

    bool Valid() const { return m_address != nullptr; }
    char* Address() const { return static_cast<char*>(m_address); }
    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return offset + size <= m_size &&
               ::WriteProcessMemory(m_process.Get(), Address() + offset, data, size, nullptr);
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return offset + size <= m_size &&
               ::ReadProcessMemory(m_process.Get(), Address() + offset, data, size, nullptr);
    }

private:
    UniqueHandle m_process;
    void* m_address = nullptr;
    std::size_t m_size;
};

constexpr std::size_t kRemoteTextChars = 4096;

std::wstring ReadRemoteText(const RemoteBuffer& buffer, std::size_t offset) {
    std::wstring text(kRemoteTextChars, L'\0');
    if (!buffer.Read(offset, text.data(), kRemoteTextChars * sizeof(wchar_t))) {
        return {};
    }
    text.resize(std::min(text.find(L'\0'), text.size()));
    return text;
}

} // namespace

std::wstring Widen(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

std::string Narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::wstring DosPath(std::string_view unixPath) {
    if (unixPath.size() > 1 && unixPath[1] == ':') {
        return Widen(unixPath);
    }
    std::wstring path = L"Z:" + Widen(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::string EnvVar(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

UniqueHandle& UniqueHandle::operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
        UniqueHandle old(m_handle);
        m_handle = other.Release();
    }
    return *this;
}

UniqueHandle::~UniqueHandle() {
    if (m_handle && m_handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_handle);
    }
}

HANDLE UniqueHandle::Release() {
    HANDLE handle = m_handle;
    m_handle = nullptr;
    return handle;
}

AppProcess::AppProcess(const std::wstring& exe) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        return;
    }
    UniqueHandle thread(info.hThread);
    m_process = UniqueHandle(info.hProcess);
    m_pid = info.dwProcessId;
}

AppProcess::~AppProcess() {
    if (Running()) {
        ::TerminateProcess(m_process.Get(), 99);
        ::WaitForSingleObject(m_process.Get(), kWaitMs);
    }
}

bool AppProcess::Running() const {
    return m_process.Get() && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> AppProcess::WaitExit(DWORD timeoutMs) const {
    DWORD code = 0;
    if (!m_process.Get() || ::WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(m_process.Get(), &code)) {
        return std::nullopt;
    }
    return code;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    const auto length = static_cast<std::size_t>(Send(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto got = static_cast<std::size_t>(
        Send(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(got, length));
    return text;
}

std::vector<HWND> WindowsOf(DWORD pid, std::wstring_view className) {
    struct Search {
        DWORD pid;
        std::wstring_view className;
        std::vector<HWND> found;
    } search{pid, className, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if ((s.pid == 0 || owner == s.pid) && ::IsWindowVisible(hwnd) &&
                ClassOf(hwnd) == s.className) {
                s.found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> DialogsOf(DWORD pid) {
    return WindowsOf(pid, L"#32770");
}

HWND WaitDialog(DWORD pid, std::wstring_view title, DWORD timeoutMs) {
    return Poll(timeoutMs, [&]() -> HWND {
        for (HWND dialog : DialogsOf(pid)) {
            if (TextOf(dialog) == title) {
                return dialog;
            }
        }
        return nullptr;
    });
}

HWND WaitWindowOfClass(DWORD pid, std::wstring_view className, DWORD timeoutMs) {
    return Poll(timeoutMs, [&]() -> HWND {
        const std::vector<HWND> found = WindowsOf(pid, className);
        return found.empty() ? nullptr : found.front();
    });
}

std::wstring DescribeDialogs(DWORD pid) {
    std::wstring text;
    for (HWND dialog : DialogsOf(pid)) {
        text += (text.empty() ? L"" : L" | ") + TextOf(dialog);
        if (HWND message = ChildById(dialog, kMessageTextId); message && IsMessageBox(dialog)) {
            text += L": " + TextOf(message);
        }
    }
    return text.empty() ? L"(no dialog)" : text;
}

bool WaitGone(HWND hwnd, DWORD timeoutMs) {
    return Poll(timeoutMs, [&] { return !::IsWindow(hwnd) || !::IsWindowVisible(hwnd); });
}

HWND ChildById(HWND parent, int id) {
    for (HWND child : Children(parent)) {
        if (::GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

HWND ChildByText(HWND parent, std::wstring_view className, std::wstring_view text) {
    for (HWND child : Children(parent)) {
        if (ClassOf(child) == className && TextOf(child) == text) {
            return child;
        }
    }
    return nullptr;
}

std::optional<MessageBoxView> WaitMessageBox(DWORD pid, DWORD timeoutMs) {
    const HWND box = Poll(timeoutMs, [&]() -> HWND {
        for (HWND dialog : DialogsOf(pid)) {
            if (IsMessageBox(dialog)) {
                return dialog;
            }
        }
        return nullptr;
    });
    if (!box) {
        return std::nullopt;
    }
    MessageBoxView view;
    view.hwnd = box;
    view.caption = TextOf(box);
    view.text = TextOf(ChildById(box, kMessageTextId));
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (HWND button = ChildById(box, id); button && ::IsWindowVisible(button)) {
            view.buttons.push_back(id);
        }
    }
    return view;
}

bool Press(HWND dialog, int buttonId) {
    const HWND button = ChildById(dialog, buttonId);
    return button && ::PostMessageW(button, BM_CLICK, 0, 0);
}

HWND WaitFileDialog(DWORD pid, DWORD timeoutMs) {
    return Poll(timeoutMs, [&]() -> HWND {
        for (HWND dialog : DialogsOf(pid)) {
            if (DescendantById(dialog, kFileNameId)) {
                return dialog;
            }
        }
        return nullptr;
    });
}

bool ChooseFile(HWND fileDialog, const std::wstring& path) {
    HWND field = DescendantById(fileDialog, kFileNameId);
    if (field && ClassOf(field) != L"Edit") {
        field = DescendantByClass(field, L"Edit");
    }
    if (!field) {
        return false;
    }
    Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return TextOf(field) == path && Press(fileDialog, IDOK);
}

void Click(HWND dialog, int buttonId) {
    Send(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int buttonId) {
    return Send(::GetDlgItem(dialog, buttonId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Choose(HWND dialog, int comboId, std::wstring_view entry) {
    const HWND combo = ::GetDlgItem(dialog, comboId);
    const std::wstring text(entry);
    const LRESULT index = Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text.c_str()));
    if (!combo || index == CB_ERR) {
        return false;
    }
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return ComboText(dialog, comboId) == entry;
}

std::wstring ComboText(HWND dialog, int comboId) {
    const HWND combo = ::GetDlgItem(dialog, comboId);
    const LRESULT index = Send(combo, CB_GETCURSEL, 0, 0);
    if (!combo || index == CB_ERR) {
        return {};
    }
    const auto length = static_cast<std::size_t>(Send(combo, CB_GETLBTEXTLEN, index, 0));
    std::wstring text(length + 1, L'\0');
    Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void Type(HWND dialog, int editId, std::wstring_view text) {
    const HWND edit = ::GetDlgItem(dialog, editId);
    const LPARAM inside = MAKELPARAM(2, 2);
    Send(edit, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    Send(edit, WM_LBUTTONUP, 0, inside);
    Send(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) {
        Send(edit, WM_CHAR, c, 1);
    }
}

bool TypeKey(HWND window, WORD key, WORD modifier) {
    ::SetForegroundWindow(window);
    if (!Poll(kWaitMs, [&] { return ::GetForegroundWindow() == window; })) {
        return false;
    }
    return InputKey(key, modifier);
}

bool InputKey(WORD key, WORD modifier) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier != 0) {
        add(modifier, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier != 0) {
        add(modifier, KEYEVENTF_KEYUP);
    }
    const UINT count = static_cast<UINT>(inputs.size());
    return ::SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

std::wstring ListViewText(HWND listView, int row, int column) {
    RemoteBuffer buffer(listView, sizeof(LVITEMW) + kRemoteTextChars * sizeof(wchar_t));
    if (!buffer.Valid()) {
        return {};
    }
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(buffer.Address() + sizeof(LVITEMW));
    item.cchTextMax = static_cast<int>(kRemoteTextChars);
    const wchar_t none = L'\0';
    if (!buffer.Write(0, &item, sizeof(item)) || !buffer.Write(sizeof(item), &none, sizeof(none))) {
        return {};
    }
    Send(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
         reinterpret_cast<LPARAM>(buffer.Address()));
    return ReadRemoteText(buffer, sizeof(LVITEMW));
}

std::wstring StatusText(HWND statusBar, int pane) {
    RemoteBuffer buffer(statusBar, kRemoteTextChars * sizeof(wchar_t));
    const wchar_t none = L'\0';
    if (!buffer.Valid() || !buffer.Write(0, &none, sizeof(none))) {
        return {};
    }
    Send(statusBar, SB_GETTEXTW, static_cast<WPARAM>(pane),
         reinterpret_cast<LPARAM>(buffer.Address()));
    return ReadRemoteText(buffer, 0);
}

void Panel::Command(int id) const {
    ::PostMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Panel::Close() const {
    ::PostMessageW(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

HWND Panel::Page(std::wstring_view name) const {
    // The pages on hidden tabs are made a little after start-up.
    return Poll(kWaitMs, [&]() -> HWND {
        for (HWND child : Children(m_hwnd)) {
            if (ClassOf(child) == L"#32770" && ChildByText(child, L"Static", name)) {
                return child;
            }
        }
        return nullptr;
    });
}

HWND Panel::ShowPage(int command, std::wstring_view name) const {
    Command(command);
    const HWND page = Page(name);
    return Poll(kWaitMs, [&]() -> HWND { return ::IsWindowVisible(page) ? page : nullptr; });
}

} // namespace sb::e2e

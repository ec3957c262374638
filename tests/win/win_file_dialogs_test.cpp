// The system's file dialogs as the settings-file commands open them, answered by a step that
// runs inside the dialog's own loop.
#include "files/file_dialogs.h"
#include "files/win_file_dialogs.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace sb {
namespace {

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// The visible dialog of this thread that is not the owner: the file dialog, or a box over it.
HWND FindDialog(HWND except, HWND over = nullptr) {
    struct Search {
        HWND except;
        HWND over;
        HWND found;
    } search{except, over, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            if (hwnd != s.except && hwnd != s.over && ::IsWindowVisible(hwnd) &&
                ClassOf(hwnd) == L"#32770") {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every descendant window, in the order EnumChildWindows gives.
std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> all;
    ::EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// The edit that holds the file name: the one that shows the initial name.
HWND FileNameEdit(HWND dialog, const std::wstring& initial) {
    for (HWND hwnd : Descendants(dialog)) {
        if (ClassOf(hwnd) == L"Edit" && ::IsWindowVisible(hwnd) && TextOf(hwnd) == initial) {
            return hwnd;
        }
    }
    return nullptr;
}

std::vector<std::wstring> ComboEntries(HWND dialog) {
    std::vector<std::wstring> entries;
    for (HWND hwnd : Descendants(dialog)) {
        if (ClassOf(hwnd) != L"ComboBox") {
            continue;
        }
        const auto count = ::SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            if (::SendMessageW(hwnd, CB_GETLBTEXTLEN, i, 0) < 256) {
                ::SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                entries.emplace_back(text);
            }
        }
    }
    return entries;
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_owner.Attach(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                         100, nullptr, nullptr, nullptr, nullptr));
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_directory = std::wstring(temp) + L"sbfd" + std::to_wstring(::GetCurrentProcessId()) +
                      L" フォルダ\\";
        ::CreateDirectoryW(m_directory.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& file : m_files) {
            ::DeleteFileW(file.c_str());
        }
        ::RemoveDirectoryW(m_directory.c_str());
        ::DestroyWindow(m_owner.Handle());
    }

    // Runs the dialog; each step runs on a timer tick while it is open.
    std::optional<std::string> RunDialog(const FileDialogSpec& dialog,
                                         std::vector<std::function<bool()>> steps) {
        s_steps = std::move(steps);
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, Tick);
        WinFileDialogs dialogs(m_owner);
        std::optional<std::string> path = dialogs.Run(dialog, Narrow(m_directory));
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(s_steps.empty()) << "the dialog ended before its last step";
        s_steps.clear();
        return path;
    }
    // A step that returns false is tried again at the next tick.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!s_steps.empty() && !s_bInStep) {
            s_bInStep = true;
            std::function<bool()> step = s_steps.front();
            if (step()) {
                s_steps.erase(s_steps.begin());
            }
            s_bInStep = false;
        }
    }

    // Types a name into the open dialog and confirms it.
    std::function<bool()> Choose(const std::wstring& name) {
        return [this, name] {
            const HWND dialog = FindDialog(m_owner.Handle());
            const HWND edit = dialog ? FileNameEdit(dialog, L"*.dat") : nullptr;
            if (!edit) {
                return false;
            }
            const std::vector<std::wstring> entries = ComboEntries(dialog);
            EXPECT_NE(std::find(entries.begin(), entries.end(), L"SB設定ファイル (*.dat)"),
                      entries.end());
            ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            m_dialog = dialog;
            return true;
        };
    }

    std::wstring File(const std::wstring& leaf) {
        m_files.push_back(m_directory + leaf);
        return m_files.back();
    }

    static inline std::vector<std::function<bool()>> s_steps;
    static inline bool s_bInStep = false;
    CWindow m_owner;
    HWND m_dialog = nullptr;
    std::wstring m_directory;
    std::vector<std::wstring> m_files;
};

TEST_F(FileDialogTest, OpenStartsInTheGivenFolderAndAddsTheExtension) {
    const std::wstring file = File(L"設定.dat");
    ::CloseHandle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::optional<std::string> path = RunDialog(kLoadDialog, {Choose(L"設定")});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, Narrow(m_directory + L"設定.dat"));
}

TEST_F(FileDialogTest, CancelChoosesNothing) {
    const std::optional<std::string> path =
        RunDialog(kLoadDialog, {[this] {
                      const HWND dialog = FindDialog(m_owner.Handle());
                      if (!dialog) {
                          return false;
                      }
                      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                      return true;
                  }});
    EXPECT_FALSE(path.has_value());
}

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirst) {
    const std::wstring existing = File(L"old.dat");
    ::CloseHandle(
        ::CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::optional<std::string> path =
        RunDialog(kSaveDialog, {Choose(L"old"), [this] {
                                    const HWND box = FindDialog(m_owner.Handle(), m_dialog);
                                    if (!box) {
                                        return false;
                                    }
                                    ::PostMessageW(box, WM_COMMAND, IDYES, 0);
                                    return true;
                                }});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, Narrow(existing));
}

} // namespace
} // namespace sb

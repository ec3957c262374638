// What the main window's tests share: texts of windows, paths between Wine and Linux, a
// prompter and file dialogs that follow a script, and steps run inside a message loop.
#pragma once

#include "files/file_dialogs.h"
#include "tests/common/scripted_prompter.h"
#include "tests/win/wine_files.h"
#include "base/prompter.h"
#include "ui/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace sb::test {

inline constexpr wchar_t kDriver[] = L"VYR Quillstrike 480ZQ9";
inline constexpr wchar_t kPanelTitle[] = L"VYR Quillstrike 480ZQ9 スイッチボード";

// Queues and files carry the process id, so that leftovers of another run never match.
inline std::wstring Tag() {
    return L"sbmw" + std::to_wstring(::GetCurrentProcessId()) + L" ";
}

inline std::wstring WindowText(HWND hwnd) {
    // WM_GETTEXT, not GetWindowText, which is stale across processes under Wine.
    wchar_t text[512] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

// A pipe port's command may still be writing when the job has ended.

// Answers the file dialogs with scripted paths and remembers how they were asked.
class ScriptedFileDialogs final : public FileDialogs {
public:
    struct Request {
        bool save;
        unsigned flags;
        std::string filterName;
        std::string filterPattern;
        std::string defaultExtension;
        std::string initialName;
        std::string directory;
    };

    void Answer(std::optional<std::string> path) { m_answers.push_back(std::move(path)); }
    const std::vector<Request>& Requests() const { return m_requests; }

    std::optional<std::string> Run(const FileDialogSpec& dialog,
                                   const std::string& initialDirectory) override {
        m_requests.push_back({dialog.save, dialog.flags, std::string(dialog.filterName),
                              std::string(dialog.filterPattern),
                              std::string(dialog.defaultExtension), std::string(dialog.initialName),
                              initialDirectory});
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return std::nullopt;
        }
        std::optional<std::string> path = m_answers.front();
        m_answers.pop_front();
        return path;
    }

private:
    std::deque<std::optional<std::string>> m_answers;
    std::vector<Request> m_requests;
};

// Steps run one per timer tick on this thread, so they run inside whatever message loop is
// running, modal ones included; keys posted by one step are handled before the next.
class StepRunner {
public:
    explicit StepRunner(std::vector<std::function<void()>> steps)
        : m_steps(steps.begin(), steps.end()) {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(nullptr, 0, 40, Tick);
    }
    ~StepRunner() {
        ::KillTimer(nullptr, m_nTimer);
        s_pCurrent = nullptr;
    }
    StepRunner(const StepRunner&) = delete;
    StepRunner& operator=(const StepRunner&) = delete;
    std::size_t Remaining() const { return m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        StepRunner* runner = s_pCurrent;
        if (runner == nullptr || runner->m_steps.empty()) {
            return;
        }
        // Taken off first: a step that opens a modal window is re-entered by the next tick.
        const std::function<void()> step = std::move(runner->m_steps.front());
        runner->m_steps.pop_front();
        step();
    }

    static inline StepRunner* s_pCurrent = nullptr;
    std::deque<std::function<void()>> m_steps;
    UINT_PTR m_nTimer = 0;
};

// Presses a key with Ctrl held, as the focused window would receive it.
inline void PostCtrlKey(UINT key) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    HWND target = ::GetFocus();
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
}

inline void PostKey(UINT key) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, key, 1);
}

inline void ReleaseCtrl() {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

} // namespace sb::test

// Stands in for the main dialog as a settings page's parent: a plain top-level window that
// records every WM_COMMAND it receives. Made the active window of the test program, so
// SetFocus works inside it (under Wine, only the foreground program's windows get focus).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace sb::test {

class CPageHost {
public:
    struct Command {
        WORD id;
        WORD code;
        LPARAM lParam;
    };

    CPageHost() {
        // The program registers the common control classes at start; pages need them.
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        ::RegisterClassW(&windowClass); // fails harmlessly when registered already
        m_hWnd = ::CreateWindowExW(0, kClassName, L"page host", WS_OVERLAPPEDWINDOW, 0, 0, 520, 480,
                                   nullptr, nullptr, instance, this);
    }
    ~CPageHost() {
        if (m_hWnd != nullptr) {
            ::DestroyWindow(m_hWnd);
        }
    }
    CPageHost(const CPageHost&) = delete;
    CPageHost& operator=(const CPageHost&) = delete;

    HWND Handle() const { return m_hWnd; }

    // Shows the host and makes it the foreground and active window; true when it is.
    bool Activate() const {
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::SetForegroundWindow(m_hWnd);
        ::SetActiveWindow(m_hWnd);
        return ::GetActiveWindow() == m_hWnd;
    }

    const std::vector<Command>& Commands() const { return m_commands; }
    int CountOf(WORD id) const {
        return static_cast<int>(std::count_if(m_commands.begin(), m_commands.end(),
                                              [id](const Command& c) { return c.id == id; }));
    }
    void Clear() { m_commands.clear(); }

private:
    static constexpr const wchar_t* kClassName = L"SbTestPageHost";

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* host = reinterpret_cast<CPageHost*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (host != nullptr) {
            if (msg == WM_COMMAND) {
                host->m_commands.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
                return 0;
            }
            if (msg == WM_NCDESTROY) {
                host->m_hWnd = nullptr;
            }
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    std::vector<Command> m_commands;
};

// Counts the WM_COMMAND messages that a page receives from its controls, seen before the
// page's own procedure: what "once per notification" is measured against.
class CControlCommandCounter {
public:
    explicit CControlCommandCounter(HWND page) : m_hPage(page) {
        ::SetWindowSubclass(m_hPage, Count, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CControlCommandCounter() { ::RemoveWindowSubclass(m_hPage, Count, kSubclassId); }
    CControlCommandCounter(const CControlCommandCounter&) = delete;
    CControlCommandCounter& operator=(const CControlCommandCounter&) = delete;

    int Total() const { return m_nCount; }

private:
    static constexpr UINT_PTR kSubclassId = 1;

    static LRESULT CALLBACK Count(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
        if (msg == WM_COMMAND && lParam != 0) {
            ++reinterpret_cast<CControlCommandCounter*>(data)->m_nCount;
        }
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }

    HWND m_hPage;
    int m_nCount = 0;
};

} // namespace sb::test

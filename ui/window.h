// A non-owning window handle with the few calls every view needs.
#pragma once

#include "base/geometry.h"
#include "ui/wide_text.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace sb {

inline RECT ToRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline Rect FromRECT(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND hwnd) : m_hWnd(hwnd) {}

    HWND Handle() const { return m_hWnd; }
    explicit operator bool() const { return m_hWnd != nullptr; }
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach() {
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        return hwnd;
    }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL Post(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void Show(int command) const { ::ShowWindow(m_hWnd, command); }
    void Enable(bool enable) const { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    void EnableItem(int id, bool enable) const { ::EnableWindow(Item(id), enable ? TRUE : FALSE); }
    // The window's rectangle in its parent's client area.
    Rect RectInParent() const {
        RECT rect{};
        ::GetWindowRect(m_hWnd, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
        return FromRECT(rect);
    }
    void MoveTo(const Rect& r) const {
        ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Texts go through WM_SETTEXT / WM_GETTEXT so they also work across processes.
    void SetText(std::string_view utf8) const;
    std::string Text() const;
    void SetItemText(int id, std::string_view utf8) const { CWindow(Item(id)).SetText(utf8); }
    std::string ItemText(int id) const { return CWindow(Item(id)).Text(); }

protected:
    HWND m_hWnd = nullptr;
};

} // namespace sb

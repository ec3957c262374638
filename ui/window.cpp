#include "ui/window.h"

#include <iterator>

namespace sb {

void CWindow::SetText(std::string_view utf8) const {
    const std::wstring wide = Widen(utf8);
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void CWindow::CentreOverOwner() const {
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const bool ownerShown = owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(ownerShown ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST),
                      &monitor);
    const Rect work = FromRECT(monitor.rcWork);
    RECT over = monitor.rcWork;
    if (ownerShown) {
        ::GetWindowRect(owner, &over);
    }
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const Rect placed =
        CentredOver({window.right - window.left, window.bottom - window.top}, FromRECT(over), work);
    ::SetWindowPos(m_hWnd, nullptr, placed.left, placed.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string CWindow::Text() const {
    // Most texts are short: one message into a buffer on the stack, the length asked for
    // only when the buffer may have been too small.
    wchar_t buffer[128];
    const auto copied = static_cast<std::size_t>(
        Send(WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer)));
    if (copied + 1 < std::size(buffer)) {
        return Narrow(std::wstring_view(buffer, copied));
    }
    const auto length = static_cast<std::size_t>(Send(WM_GETTEXTLENGTH));
    std::wstring wide(length + 1, L'\0');
    const auto all = static_cast<std::size_t>(
        Send(WM_GETTEXT, static_cast<WPARAM>(wide.size()), reinterpret_cast<LPARAM>(wide.data())));
    wide.resize(all);
    return Narrow(wide);
}

} // namespace sb

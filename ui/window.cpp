#include "ui/window.h"

#include <iterator>

namespace sb {

void CWindow::SetText(std::string_view utf8) const {
    const std::wstring wide = Widen(utf8);
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
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

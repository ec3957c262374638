#include "ui/window.h"

#include <iterator>

namespace sb {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf16.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

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

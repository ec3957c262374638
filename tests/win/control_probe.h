// What the Windows tests read from and do to controls, as a user or an observer would.
#pragma once

#include "base/prompter.h"
#include "ui/window.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace sb::test {

inline std::string TextOf(HWND hwnd) {
    return CWindow(hwnd).Text();
}

inline bool Checked(HWND parent, int id) {
    return ::IsDlgButtonChecked(parent, id) == BST_CHECKED;
}

inline bool HasStyle(HWND hwnd, LONG style) {
    return (::GetWindowLongW(hwnd, GWL_STYLE) & style) == style;
}

inline std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    const auto count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)),
                          L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(Narrow(text));
    }
    return entries;
}

inline std::string Selected(HWND parent, int id) {
    const HWND combo = ::GetDlgItem(parent, id);
    const auto index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? "(none)" : ComboEntries(combo)[static_cast<std::size_t>(index)];
}

// As the user's choice: the selection, then the notification the combo box would send.
inline void Choose(HWND parent, int id, int index) {
    const HWND combo = ::GetDlgItem(parent, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

// Answers every box with OK and keeps what it showed, and where the focus was then.
class CRecordingPrompter final : public Prompter {
public:
    struct Shown {
        std::string text;
        std::string caption;
        unsigned style;
        HWND focusWhenShown;
    };
    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
        m_shown.push_back({std::string(text), std::string(caption), style, ::GetFocus()});
        return Answer::Ok;
    }
    std::vector<Shown> m_shown;
};

} // namespace sb::test

// The two help viewers. The HTML help viewer's library is loaded at the first request and
// stays loaded while its windows may be open; it is released, its windows closed, when the
// object ends. Its windows run on this thread, so they see their keys through PreTranslate.
#pragma once

#include "app/panel_view.h"
#include "ui/system_dll.h"

#include <windows.h>

#include <optional>
#include <string>

namespace sb {

class CHelpViewer {
public:
    CHelpViewer() = default;
    ~CHelpViewer();
    CHelpViewer(const CHelpViewer&) = delete;
    CHelpViewer& operator=(const CHelpViewer&) = delete;

    // False when the viewer reports failure, or its library cannot be loaded. The old
    // viewer keeps count of its callers by owner, which QuitWinHelp names again.
    bool Show(HWND owner, HelpViewer viewer, const std::string& path);
    static void QuitWinHelp(HWND owner, const std::string& path);
    // True when the HTML help viewer took the message (its tab and arrow keys, for one).
    bool PreTranslate(MSG& msg) const;

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    bool LoadHtmlHelp();

    std::optional<CSystemDll> m_htmlHelpDll;
    CSystemFunction<HtmlHelpFunction> m_htmlHelp;
    DWORD m_dwHtmlHelpCookie = 0;
};

} // namespace sb

#include "app/help_viewer.h"

#include "ui/wide_text.h"

#include <htmlhelp.h>

namespace sb {

CHelpViewer::~CHelpViewer() {
    if (m_htmlHelp) {
        // Its windows run on this thread's code: they go before the library does.
        m_htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
        m_htmlHelp(nullptr, nullptr, HH_UNINITIALIZE, m_dwHtmlHelpCookie);
    }
}

bool CHelpViewer::LoadHtmlHelp() {
    if (m_htmlHelp) {
        return true;
    }
    m_htmlHelp = m_htmlHelpDll.emplace(L"hhctrl.ocx").Find<HtmlHelpFunction>("HtmlHelpW");
    if (!m_htmlHelp) {
        return false;
    }
    // The viewer on the panel's own thread rather than one of its own: the panel's message
    // loop then hands it its messages first.
    m_htmlHelp(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&m_dwHtmlHelpCookie));
    return true;
}

bool CHelpViewer::PreTranslate(MSG& msg) const {
    return m_htmlHelp && m_htmlHelp(nullptr, nullptr, HH_PRETRANSLATEMESSAGE,
                                    reinterpret_cast<DWORD_PTR>(&msg)) != nullptr;
}

bool CHelpViewer::Show(HWND owner, HelpViewer viewer, const std::string& path) {
    const std::wstring file = Widen(path);
    if (viewer == HelpViewer::Hlp) {
        return ::WinHelpW(owner, file.c_str(), HELP_FINDER, 0) != FALSE;
    }
    // The HTML help window stands on its own, beside the panel rather than above it.
    return LoadHtmlHelp() && m_htmlHelp(nullptr, file.c_str(), HH_DISPLAY_TOPIC, 0) != nullptr;
}

void CHelpViewer::QuitWinHelp(HWND owner, const std::string& path) {
    ::WinHelpW(owner, Widen(path).c_str(), HELP_QUIT, 0);
}

} // namespace sb

#include "app/panel_statusbar.h"

#include "app/bar_layout.h"
#include "res/resource.h"
#include "ui/dpi.h"

#include <utility>

namespace sb {

bool CPanelStatusBar::Create(HWND parent) {
    m_hWnd = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_TOOLTIPS, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR)),
                               ::GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

void CPanelStatusBar::SetupPanes() const {
    RECT bar{};
    ::GetWindowRect(m_hWnd, &bar);
    const int edges[2] = {PrinterPaneRightEdge(bar.right - bar.left), -1};
    Send(SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void CPanelStatusBar::FollowParent() const {
    // A status bar places itself from its parent's client area when told its size changed.
    Send(WM_SIZE);
    SetupPanes();
}

void CPanelStatusBar::SetDpi(UINT dpi) {
    NONCLIENTMETRICSW metrics;
    if (NonClientMetrics(metrics, dpi)) {
        CFont font(::CreateFontIndirectW(&metrics.lfStatusFont));
        if (font) {
            Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
            // The bar draws with it from now on: the old one can go.
            m_font = std::move(font);
        }
    }
    FollowParent();
}

} // namespace sb

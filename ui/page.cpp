#include "ui/page.h"

namespace sb {

bool CPage::CreatePage(HWND parent, bool visible) {
    bool created = false;
    Quietly([&] { created = Create(parent); });
    if (!created) {
        return false;
    }
    Show(visible ? SW_SHOW : SW_HIDE);
    return true;
}

void CPage::OnControlCommand(WORD /*code*/, WORD /*id*/) {
    SendDataCheck();
}

void CPage::SendDataCheck() const {
    Send(WM_COMMAND, MAKEWPARAM(m_nDataCheckId, 0), 0);
}

bool CPage::OnCommand(WORD code, WORD id, HWND control) {
    if (control != nullptr) {
        if (!IsQuiet()) {
            OnControlCommand(code, id);
        }
        return true;
    }
    if (id == IDOK || id == IDCANCEL) {
        return CDialog::OnCommand(code, id, control);
    }
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, code), 0);
    return true;
}

} // namespace sb

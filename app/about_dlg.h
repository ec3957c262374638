// The About box: the program's name and version, and OK.
#pragma once

#include "res/resource.h"
#include "ui/dialog.h"
#include "ui/dpi.h"
#include "ui/gdi.h"

namespace sb {

class CAboutDlg final : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

protected:
    // The template's icon is the system's default size; the box shows the frame of its scale.
    BOOL OnInitDialog() override {
        m_icon = CIcon(LoadIconOfSize(IDR_MAINFRAME, SystemMetric(SM_CXICON, Dpi())));
        ::SendDlgItemMessageW(m_hWnd, IDC_ABOUT_ICON, STM_SETICON,
                              reinterpret_cast<WPARAM>(m_icon.Get()), 0);
        return TRUE;
    }

private:
    CIcon m_icon;
};

} // namespace sb

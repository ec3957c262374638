// The About box: the program's name and version, and OK.
#pragma once

#include "res/resource.h"
#include "ui/dialog.h"

namespace sb {

class CAboutDlg final : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

} // namespace sb

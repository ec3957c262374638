// The main window's status bar: the printer's name and its connection, in two panes laid out
// again only when the window changes size, which the user cannot do.
#pragma once

#include "ui/gdi.h"
#include "ui/controls.h"

namespace sb {

class CPanelStatusBar final : public CStatusBar {
public:
    // At the bottom of parent; false if the control could not be made.
    bool Create(HWND parent);
    // The panes for the bar's width now.
    void SetupPanes() const;
    // The parent's client area has a new size: the bar goes to its bottom again, full width.
    void FollowParent() const;
    // The system's status font at another scale, then the bar's height and panes for it.
    void SetDpi(UINT dpi);

private:
    CFont m_font; // none until the scale changes: the bar keeps the one it was made with
};

} // namespace sb

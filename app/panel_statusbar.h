// The main window's status bar: the printer's name and its connection, in two panes laid out
// once, since the window cannot be resized.
#pragma once

#include "ui/controls.h"

namespace sb {

class CPanelStatusBar final : public CStatusBar {
public:
    // At the bottom of parent; false if the control could not be made.
    bool Create(HWND parent);
    void SetupPanes() const;
};

} // namespace sb

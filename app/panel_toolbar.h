// The main window's tool bar: five buttons for the most used commands, with tool tips that
// the bar answers from the string table itself.
#pragma once

#include "ui/controls.h"

namespace sb {

class CPanelToolBar final : public CToolBar {
public:
    // At the top of parent, sized by itself; false if the control could not be made.
    bool Create(HWND parent);
    // The image strip and the nine items, then the bar's own height.
    void SetupButtons() const;

    // The tool tips' text requests arrive at the bar's parent: it hands every notification
    // here first. True when it was one of the bar's, answered in result.
    bool OnNotify(const NMHDR& header, LRESULT& result) const;
};

} // namespace sb

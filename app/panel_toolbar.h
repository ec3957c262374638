// The main window's tool bar: five buttons for the most used commands, with tool tips that
// the bar answers from the string table itself.
#pragma once

#include "ui/gdi.h"
#include "ui/controls.h"

namespace sb {

class CPanelToolBar final : public CToolBar {
public:
    // At the top of parent, sized by itself; false if the control could not be made.
    bool Create(HWND parent);
    // The pictures drawn for `dpi` and the nine items, then the bar's own height.
    void SetupButtons(UINT dpi);
    // The pictures and buttons of another scale, then the bar's height again.
    void SetDpi(UINT dpi);

    // The tool tips' text requests arrive at the bar's parent: it hands every notification
    // here first. True when it was one of the bar's, answered in result.
    bool OnNotify(const NMHDR& header, LRESULT& result) const;

private:
    void SetPictures(UINT dpi);

    // The bar draws from it but does not own it.
    CImageList m_images;
};

} // namespace sb

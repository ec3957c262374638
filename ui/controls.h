// Thin wrappers over the common controls the windows use: one message each, nothing kept.
#pragma once

#include "ui/window.h"

#include <commctrl.h>

#include <string>
#include <utility>

namespace sb {

class CTabCtrl : public CWindow {
public:
    using CWindow::CWindow;
    int CurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    void SetCurSel(int index) const { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }
    void SetImageList(HIMAGELIST images) const {
        Send(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    void InsertItem(int index, const wchar_t* text, int image) const {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<wchar_t*>(text);
        item.iImage = image;
        Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    // Where the pages go inside the control when its window is `window`.
    RECT DisplayArea(RECT window) const {
        Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&window));
        return window;
    }
};

// The step a key takes through a tabbed window's tabs, as in the system's tabbed dialogs:
// Ctrl+Tab and Ctrl+PgDn to the next, Ctrl+Shift+Tab and Ctrl+PgUp to the one before; 0 for
// any other message.
inline int TabStepOf(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (::GetKeyState(VK_CONTROL) & 0x8000) == 0) {
        return 0;
    }
    switch (msg.wParam) {
    case VK_TAB:
        return (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ? -1 : 1;
    case VK_NEXT:
        return 1;
    case VK_PRIOR:
        return -1;
    default:
        return 0;
    }
}

class CUpDown : public CWindow {
public:
    using CWindow::CWindow;
    void SetRange(int lower, int upper) const {
        Send(UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
    }
    std::pair<int, int> Range() const {
        int lower = 0;
        int upper = 0;
        Send(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
        return {lower, upper};
    }
};

class CTrackBar : public CWindow {
public:
    using CWindow::CWindow;
    void SetRange(int lower, int upper) const {
        Send(TBM_SETRANGEMIN, FALSE, lower);
        Send(TBM_SETRANGEMAX, TRUE, upper);
    }
    int Pos() const { return static_cast<int>(Send(TBM_GETPOS)); }
    void SetPos(int pos) const { Send(TBM_SETPOS, TRUE, pos); }
    // The thumb's length across the bar, in pixels; the bar needs TBS_FIXEDLENGTH for it.
    void SetThumbLength(int length) const { Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(length)); }
};

class CListView : public CWindow {
public:
    using CWindow::CWindow;
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    int NextSelected() const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void InsertColumn(int index, const wchar_t* heading, int width, int format) const {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = format;
        column.cx = width;
        column.pszText = const_cast<wchar_t*>(heading);
        column.iSubItem = index;
        Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    void SetColumnWidth(int index, int width) const {
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), MAKELPARAM(width, 0));
    }
    // A sorted list decides for itself where the item lands.
    void InsertItem(int index, const std::wstring& text, LPARAM param) const {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        item.lParam = param;
        Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    void SetItemText(int index, int subItem, const std::wstring& text) const {
        LVITEMW item{};
        item.iSubItem = subItem;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    int FindParam(LPARAM param) const {
        LVFINDINFOW find{};
        find.flags = LVFI_PARAM;
        find.lParam = param;
        return static_cast<int>(
            Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    }
    LPARAM ItemParam(int index) const {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }
    void SetItemState(int index, UINT state, UINT mask) const {
        LVITEMW item{};
        item.stateMask = mask;
        item.state = state;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    // For LVN_GETINFOTIP in report view: when the cursor is over a cell of another column than
    // the first and that cell is too narrow for its text, the tip becomes the whole text. The
    // list asks for the row only, so the cell is the one under the cursor. The first column's
    // cut labels are the label tips' (LVS_EX_LABELTIP); any other tip is left as it is.
    void FillCutCellTip(NMLVGETINFOTIPW& tip) const;
};

class CToolBar : public CWindow {
public:
    using CWindow::CWindow;
    void EnableButton(int id, bool enable) const {
        Send(TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(enable ? TRUE : FALSE, 0));
    }
    bool IsButtonEnabled(int id) const {
        return Send(TB_ISBUTTONENABLED, static_cast<WPARAM>(id)) != 0;
    }
};

class CStatusBar : public CWindow {
public:
    using CWindow::CWindow;
    // The pane's text, and the same as its tool tip, which a bar with SBARS_TOOLTIPS shows
    // when the pane is too narrow for the text.
    void SetPaneText(int pane, std::string_view utf8) const {
        const std::wstring text = Widen(utf8);
        Send(SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
        Send(SB_SETTIPTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
    }
};

} // namespace sb

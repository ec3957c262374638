#include "ui/controls.h"

#include "base/dpi_scale.h"
#include "ui/dpi.h"

#include <windowsx.h>

#include <algorithm>

namespace sb {
namespace {

// The list leaves this much room beside a cell's text, both sides together, at 96 dpi.
constexpr int kCellTextMargin = 12;

} // namespace

void CListView::FillCutCellTip(NMLVGETINFOTIPW& tip) const {
    if (tip.pszText == nullptr || tip.cchTextMax <= 1) {
        return;
    }
    const DWORD cursor = ::GetMessagePos();
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(cursor), GET_Y_LPARAM(cursor)};
    ::ScreenToClient(m_hWnd, &hit.pt);
    if (Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) != tip.iItem ||
        hit.iSubItem <= 0) {
        return;
    }
    std::wstring text(INFOTIPSIZE, L'\0');
    LVITEMW item{};
    item.iSubItem = hit.iSubItem;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    text.resize(static_cast<std::size_t>(
        Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(tip.iItem), reinterpret_cast<LPARAM>(&item))));
    RECT cell{};
    cell.top = hit.iSubItem;
    cell.left = LVIR_LABEL;
    Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(tip.iItem), reinterpret_cast<LPARAM>(&cell));
    const int textWidth =
        static_cast<int>(Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    const int margin = Scale(kCellTextMargin, static_cast<int>(WindowDpi(m_hWnd)));
    if (text.empty() || textWidth + margin <= cell.right - cell.left) {
        return;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
    std::copy_n(text.c_str(), length, tip.pszText);
    tip.pszText[length] = L'\0';
}

} // namespace sb

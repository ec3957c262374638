#include "app/panel_toolbar.h"

#include "app/bar_layout.h"
#include "res/resource.h"
#include "base/dpi_scale.h"
#include "base/geometry.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sb {
namespace {

constexpr int kImageCount = 5;
// The room a button leaves around its picture at 96 dpi, the bar's own default there.
constexpr Size kButtonPadding{7, 6};

struct Item {
    int image;
    int command; // 0 for a separator
};

constexpr std::array<Item, 9> kItems = {{
    {0, 0},
    {0, ID_TB_LOAD},
    {1, ID_TB_SAVE},
    {0, 0},
    {2, ID_TB_SEND},
    {0, 0},
    {3, ID_TB_FACTORY},
    {0, 0},
    {4, ID_TB_PRINTER},
}};

// The whole string resource, however long; LoadStringW with no buffer lends a pointer to it.
std::wstring LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

} // namespace

bool CPanelToolBar::Create(HWND parent) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE | CCS_TOP;
    m_hWnd = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)),
                               ::GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

void CPanelToolBar::SetupButtons(UINT dpi) {
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetPictures(dpi);
    // All nine in one message: each one added alone lays the bar out again.
    std::array<TBBUTTON, kItems.size()> buttons{};
    for (std::size_t index = 0; index < kItems.size(); ++index) {
        buttons[index].iBitmap = kItems[index].image;
        buttons[index].idCommand = kItems[index].command;
        buttons[index].fsState = TBSTATE_ENABLED;
        buttons[index].fsStyle = kItems[index].command != 0 ? BTNS_BUTTON : BTNS_SEP;
    }
    Send(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    Send(TB_AUTOSIZE);
}

void CPanelToolBar::SetDpi(UINT dpi) {
    SetPictures(dpi);
    Send(TB_AUTOSIZE);
}

void CPanelToolBar::SetPictures(UINT dpi) {
    const int size = PictureSize(static_cast<int>(dpi));
    // What the bar itself does with a strip it is handed: the greys mapped to the system's
    // button colours, then the button face masked.
    CImageList images(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kImageCount, 0));
    const CBitmap strip(::CreateMappedBitmap(::GetModuleHandleW(nullptr),
                                             PictureResourceId(IDB_TOOLBAR, size), 0, nullptr, 0));
    if (!images || !strip ||
        ::ImageList_AddMasked(images.Get(), strip.Get(), ::GetSysColor(COLOR_BTNFACE)) < 0) {
        return;
    }
    Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    const int dpiValue = static_cast<int>(dpi);
    Send(TB_SETBUTTONSIZE, 0,
         MAKELPARAM(size + Scale(kButtonPadding.cx, dpiValue),
                    size + Scale(kButtonPadding.cy, dpiValue)));
    // The bar has let go of the old list.
    m_images = std::move(images);
}

bool CPanelToolBar::OnNotify(const NMHDR& header, LRESULT& result) const {
    const auto toolTips = reinterpret_cast<HWND>(Send(TB_GETTOOLTIPS));
    if (header.code != TTN_GETDISPINFOW || header.hwndFrom != toolTips || toolTips == nullptr ||
        header.idFrom < ID_TB_LOAD || header.idFrom > ID_TB_PRINTER) {
        return false;
    }
    // The notification is the tool tip's own request, handed over writable.
    auto& request = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
    const std::wstring text =
        Widen(ToolTipText(Narrow(LoadResourceString(static_cast<UINT>(header.idFrom)))));
    const std::size_t length = std::min(text.size(), std::size(request.szText) - 1);
    std::copy_n(text.begin(), length, request.szText);
    request.szText[length] = L'\0';
    request.lpszText = request.szText;
    request.hinst = nullptr;
    result = 0;
    return true;
}

} // namespace sb

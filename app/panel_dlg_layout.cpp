// The main window's layout at its scale: the tab control and its pages over the template's
// measures, and the pictures, icons and bars made again when the window moves to another
// scale.
#include "app/panel_dlg.h"

#include "app/bar_layout.h"
#include "base/dpi_scale.h"
#include "pages/field_texts.h"
#include "res/resource.h"
#include "ui/dpi.h"

#include <array>

namespace sb {
namespace {

HINSTANCE ProgramInstance() {
    return ::GetModuleHandleW(nullptr);
}

struct Tab {
    const wchar_t* text;
    int image;
};

// In tab order, which is also the order of PageIndex.
constexpr std::array<Tab, kPageCount> kTabs = {{
    {L"" SB_TAB_SELECT, 0},
    {L"" SB_TAB_PARAM, 2},
    {L"" SB_TAB_MSW1, 1},
    {L"" SB_TAB_MSW2, 1},
    {L"" SB_TAB_MSW3, 1},
    {L"" SB_TAB_MSW4, 1},
}};

constexpr COLORREF kTabImageMask = RGB(192, 192, 192);
static_assert(IDB_PICTURE_STEP == kPictureIdStep);

// Posted to the tab control, whose subclass takes it, once a change of its rows has settled.
constexpr UINT kTabRowsSettled = WM_APP + 1;
constexpr UINT_PTR kTabSubclass = 1;

bool ChangesTabRows(UINT msg) {
    switch (msg) {
    case WM_SETFONT:
    case WM_SIZE:
    case WM_THEMECHANGED:
    case WM_SETTINGCHANGE:
    case TCM_SETIMAGELIST:
    case TCM_INSERTITEMW:
    case TCM_SETITEMW:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS:
    case TCM_SETITEMSIZE:
    case TCM_SETPADDING:
    case TCM_SETMINTABWIDTH:
        return true;
    default:
        return false;
    }
}

} // namespace

void CPanelDlg::SetIcons() {
    const UINT dpi = Dpi();
    CIcon icon(LoadIconOfSize(IDR_MAINFRAME, SystemMetric(SM_CXICON, dpi)));
    CIcon smallIcon(LoadIconOfSize(IDR_MAINFRAME, SystemMetric(SM_CXSMICON, dpi)));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Get()));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.Get()));
    // The window no longer shows the old ones.
    m_icon = std::move(icon);
    m_smallIcon = std::move(smallIcon);
}

void CPanelDlg::SetTabPictures() {
    const int size = PictureSize(static_cast<int>(Dpi()));
    CImageList images(::ImageList_LoadImageW(
        ProgramInstance(), MAKEINTRESOURCEW(PictureResourceId(IDB_TABS, size)), size, 1,
        kTabImageMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    m_tab.SetImageList(images.Get());
    m_tabImages = std::move(images);
}

void CPanelDlg::InitTabsAndPages() {
    m_tab.Attach(Item(IDC_TAB));
    KeepChildPlacement(m_tab.Handle());
    ::SetWindowSubclass(m_tab.Handle(), TabProc, kTabSubclass, reinterpret_cast<DWORD_PTR>(this));
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_nTemplateDpi = Dpi();
    m_templateClient = {client.right, client.bottom};
    m_templateTab = m_tab.RectInParent();
    SetTabPictures();
    for (int index = 0; index < kPageCount; ++index) {
        m_tab.InsertItem(index, kTabs[index].text, kTabs[index].image);
    }
    // Only the page on show is made now: the others' values live in their models until
    // the idle loop or a tab switch makes their windows.
    CPage& first = MadePage(kPageSelect);
    LayOut();
    first.Show(SW_SHOW);
}

CPage& CPanelDlg::MadePage(int tab) {
    CPage& page = Page(tab);
    if (page.Handle() == nullptr) {
        page.CreatePage(m_hWnd, false);
        KeepChildPlacement(page.Handle());
        // Every page's template has the same size.
        if (m_pageSize == Size{}) {
            const Rect made = CWindow(page.Handle()).RectInParent();
            m_pageSize = {made.Width(), made.Height()};
        }
        PlacePage(page);
    }
    return page;
}

void CPanelDlg::PlacePage(const CPage& page) const {
    // Above the tab control, which would otherwise paint over it.
    UINT flags = SWP_NOACTIVATE;
    Rect area;
    if (m_pageArea) {
        area = *m_pageArea;
    } else {
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    }
    ::SetWindowPos(page.Handle(), HWND_TOP, area.left, area.top, area.Width(), area.Height(),
                   flags);
}

void CPanelDlg::LayOut() {
    const int dpi = static_cast<int>(Dpi());
    const auto scaled = [dpi, from = static_cast<int>(m_nTemplateDpi)](int length) {
        return ScaleBetween(length, dpi, from);
    };
    PanelMeasures measures{};
    measures.client = {scaled(m_templateClient.cx), scaled(m_templateClient.cy)};
    measures.tab = {scaled(m_templateTab.left), scaled(m_templateTab.top),
                    scaled(m_templateTab.right), scaled(m_templateTab.bottom)};
    measures.page = {scaled(m_pageSize.cx), scaled(m_pageSize.cy)};
    // The tab control's rows, and so its display area, depend on its width.
    m_tab.MoveTo(measures.tab);
    measures.display = FromRECT(m_tab.DisplayArea(ToRECT(measures.tab)));
    if (m_toolBar) {
        measures.toolBarBottom = m_toolBar.RectInParent().bottom;
    }
    if (m_statusBar) {
        measures.statusHeight = m_statusBar.RectInParent().Height();
    }
    const PanelLayout layout = LayOutPanel(measures);

    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int wider = layout.client.cx - client.right;
    const int taller = layout.client.cy - client.bottom;
    if (wider != 0 || taller != 0) {
        RECT window{};
        ::GetWindowRect(m_hWnd, &window);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left + wider,
                       window.bottom - window.top + taller,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_toolBar) {
            m_toolBar.Send(TB_AUTOSIZE);
        }
        if (m_statusBar) {
            m_statusBar.FollowParent();
        }
    }
    m_tab.MoveTo(layout.tab);
    m_pageArea = FromRECT(m_tab.DisplayArea(ToRECT(layout.tab)));
    for (int index = 0; index < kPageCount; ++index) {
        if (Page(index).Handle() != nullptr) {
            PlacePage(Page(index));
        }
    }
}

LRESULT CALLBACK CPanelDlg::TabProc(HWND tab, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR panel) {
    auto& self = *reinterpret_cast<CPanelDlg*>(panel);
    if (msg == kTabRowsSettled) {
        self.OnTabRowsSettled();
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(tab, TabProc, id);
    }
    const LRESULT result = ::DefSubclassProc(tab, msg, wParam, lParam);
    // Once for many changes, and after those that come in a row, such as the dialog
    // manager's new fonts after a move to another scale.
    if (ChangesTabRows(msg) && !self.m_tabRowsPosted) {
        self.m_tabRowsPosted = ::PostMessageW(tab, kTabRowsSettled, 0, 0) != FALSE;
    }
    return result;
}

void CPanelDlg::OnTabRowsSettled() {
    m_tabRowsPosted = false;
    // The layout's own moves of the tab control leave the pages where they belong.
    if (m_pageArea != FromRECT(m_tab.DisplayArea(ToRECT(m_tab.RectInParent())))) {
        LayOut();
    }
}

void CPanelDlg::OnDpiChanged() {
    const UINT dpi = Dpi();
    SetIcons();
    m_menu.SetDpi(dpi);
    if (m_toolBar) {
        m_toolBar.SetDpi(dpi);
    }
    if (m_statusBar) {
        m_statusBar.SetDpi(dpi);
    }
    SetTabPictures();
    LayOut();
}

} // namespace sb

#include "app/panel_dlg.h"

#include "app/about_dlg.h"
#include "app/bar_layout.h"
#include "app/module_path.h"
#include "files/settings_file.h"
#include "res/resource.h"
#include "ui/dpi.h"
#include "ui/dpi_scale.h"

#include <array>

namespace sb {
namespace {

HINSTANCE ProgramInstance() {
    return ::GetModuleHandleW(nullptr);
}

struct MenuIcon {
    UINT command;
    int bitmap;
};

constexpr std::array<MenuIcon, 11> kMenuIcons = {{
    {ID_LOAD_SETTINGS, IDB_MENU_LOAD},
    {ID_SAVE_SETTINGS, IDB_MENU_SAVE},
    {ID_SEND_TO_PRINTER, IDB_MENU_SEND},
    {ID_FACTORY_SETTINGS, IDB_MENU_FACTORY},
    {ID_SELECT_PRINTER, IDB_MENU_PRINTER},
    {ID_SHOW_PARAM, IDB_MENU_PARAM},
    {ID_SHOW_MSW1, IDB_MENU_MSW},
    {ID_SHOW_MSW2, IDB_MENU_MSW},
    {ID_SHOW_MSW3, IDB_MENU_MSW},
    {ID_SHOW_MSW4, IDB_MENU_MSW},
    {ID_SHOW_SELECT, IDB_MENU_SELECT},
}};

struct Tab {
    const wchar_t* text;
    int image;
};

// In tab order, which is also the order of PageIndex.
constexpr std::array<Tab, kPageCount> kTabs = {{
    {L"機能選択", 0},
    {L"パラメータ設定", 2},
    {L"ＭＳＷ１", 1},
    {L"ＭＳＷ２", 1},
    {L"ＭＳＷ３", 1},
    {L"ＭＳＷ４", 1},
}};

constexpr COLORREF kTabImageMask = RGB(192, 192, 192);
// Lays the window out again once the tab control has settled its rows.
constexpr UINT kLayOutAgain = WM_APP + 1;
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
static_assert(IDB_PICTURE_STEP == kPictureIdStep);

// The state flags of a menu item that is on or off.
UINT MenuState(bool enable) {
    return enable ? MF_ENABLED : MF_DISABLED | MF_GRAYED;
}

class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(::BeginPaint(hwnd, &m_paint)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC;
};

} // namespace

CPanelDlg::CPanelDlg(FileDialogs* fileDialogs)
    : CDialog(IDD_PANEL), m_fileDialogs(fileDialogs ? *fileDialogs : m_systemFileDialogs),
      m_core(
          PageList{&m_pageSelect, &m_pageParam, &m_pageMsw1, &m_pageMsw2, &m_pageMsw3, &m_pageMsw4},
          *this, m_prompter, m_sender, m_store, m_fileDialogs, m_os,
          ProgramDirectory(ModulePath())) {}

CPanelDlg::~CPanelDlg() {
    // While every member still exists: the window's last messages come to them.
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CPanelDlg::Run(HACCEL accelerators) {
    return RunModeless(accelerators);
}

BOOL CPanelDlg::OnInitDialog() {
    // Its size follows its layout, which the dialog manager does not know.
    KeepDialogSize(m_hWnd);
    m_core.OnInitDialog();
    // The window's first WM_SIZE came before this object knew it.
    OnSize();
    return TRUE;
}

void CPanelDlg::InitMenu() {
    // Without the icon menu the template's plain menu stays.
    m_menu.SetDpi(Dpi());
    if (!m_menu.LoadMenu(IDR_PANEL_MENU)) {
        return;
    }
    for (const MenuIcon& icon : kMenuIcons) {
        m_menu.SetItemIcon(nullptr, icon.command, icon.bitmap);
    }
    const HMENU templateMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, m_menu.Detach());
    if (templateMenu != nullptr) {
        ::DestroyMenu(templateMenu);
    }
}

void CPanelDlg::InitIconsAndBars() {
    SetIcons();
    if (m_toolBar.Create(m_hWnd)) {
        KeepChildPlacement(m_toolBar.Handle());
        m_toolBar.SetupButtons(Dpi());
    }
    if (m_statusBar.Create(m_hWnd)) {
        KeepChildPlacement(m_statusBar.Handle());
        m_statusBar.SetupPanes();
    }
}

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
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(tab, TabProc, id);
    }
    const LRESULT result = ::DefSubclassProc(tab, msg, wParam, lParam);
    if (ChangesTabRows(msg)) {
        reinterpret_cast<CPanelDlg*>(panel)->OnTabRowsChanged();
    }
    return result;
}

void CPanelDlg::OnTabRowsChanged() {
    // Once for many changes, and after those that come in a row, such as the dialog
    // manager's new fonts after a move to another scale.
    if (!m_layOutPosted) {
        m_layOutPosted = Post(kLayOutAgain) != FALSE;
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

bool CPanelDlg::OnIdle() {
    for (int index = 0; index < kPageCount; ++index) {
        if (Page(index).Handle() == nullptr) {
            MadePage(index);
            return true;
        }
    }
    return false;
}

CPage& CPanelDlg::Page(int tab) {
    switch (tab) {
    case kPageSelect:
        return m_pageSelect;
    case kPageParam:
        return m_pageParam;
    case kPageMsw1:
        return m_pageMsw1;
    case kPageMsw2:
        return m_pageMsw2;
    case kPageMsw3:
        return m_pageMsw3;
    default:
        return m_pageMsw4;
    }
}

void CPanelDlg::SwitchToPage(int tab) {
    if (tab < 0 || tab >= kPageCount) {
        return;
    }
    CPage& page = MadePage(tab);
    for (int index = 0; index < kPageCount; ++index) {
        if (Page(index).Handle() != nullptr) {
            Page(index).Show(SW_HIDE);
        }
    }
    page.Show(SW_SHOW);
    // A user on the tab row stays there; from anywhere else the keys go on into the page.
    if (::GetFocus() != m_tab.Handle()) {
        ::SetFocus(page.Handle());
    }
}

void CPanelDlg::ShowTab(int tab) {
    m_tab.SetCurSel(tab);
    SwitchToPage(tab);
}

int CPanelDlg::SelectedTab() const {
    return m_tab.CurSel();
}

void CPanelDlg::EnableCommand(UINT menuId, int buttonId, bool enable) {
    ::EnableMenuItem(::GetMenu(m_hWnd), menuId, MF_BYCOMMAND | MenuState(enable));
    m_toolBar.EnableButton(buttonId, enable);
}

void CPanelDlg::EnableSendCommand(bool enable) {
    EnableCommand(ID_SEND_TO_PRINTER, ID_TB_SEND, enable);
}

void CPanelDlg::EnablePrinterCommand(bool enable) {
    EnableCommand(ID_SELECT_PRINTER, ID_TB_PRINTER, enable);
}

void CPanelDlg::DisableHelpCommand() {
    ::EnableMenuItem(::GetMenu(m_hWnd), ID_HELP_CONTENTS, MF_BYCOMMAND | MenuState(false));
}

void CPanelDlg::SetStatusTexts(const std::string& printerPane, const std::string& connectionPane) {
    m_statusBar.SetPaneText(0, printerPane);
    m_statusBar.SetPaneText(1, connectionPane);
}

void CPanelDlg::EndPanel() {
    EndDialog(IDOK);
}

int CPanelDlg::RunPrinterSelection(CPrinterSelection& selection) {
    if (!m_dlgPrinterSelect) {
        m_dlgPrinterSelect.emplace(selection, m_spooler, m_os);
    }
    return static_cast<int>(m_dlgPrinterSelect->Run(m_hWnd));
}

bool CPanelDlg::HasUncorrectedValue() const {
    return m_pageParam.HasUncorrectedValues();
}

void CPanelDlg::CorrectHeadCentering() {
    m_pageParam.CorrectHeadCentering();
}

void CPanelDlg::RefreshFormButtonCaption() {
    m_pageSelect.RefreshFormButtonCaption();
}

bool CPanelDlg::ShowHelp(HelpViewer viewer, const std::string& path) {
    return m_help.Show(m_hWnd, viewer, path);
}

bool CPanelDlg::OnCommand(WORD code, WORD id, HWND control) {
    if (id == IDOK || id == IDCANCEL) {
        return CDialog::OnCommand(code, id, control);
    }
    if (id == ID_DATA_CHECK) {
        m_core.OnDataCheck();
        return true;
    }
    if (id == ID_APP_ABOUT) {
        CAboutDlg().DoModal(m_hWnd);
        return true;
    }
    return m_core.OnCommand(id);
}

bool CPanelDlg::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_TAB && header.code == TCN_SELCHANGE) {
        SwitchToPage(m_tab.CurSel());
        result = 0;
        return true;
    }
    return m_toolBar.OnNotify(header, result);
}

bool CPanelDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            m_core.OnExitPanel();
            // Once the panel has ended there is no window left for the default processing.
            if (m_hWnd == nullptr) {
                result = 0;
                return true;
            }
        }
        return false;
    case WM_SIZE:
        OnSize();
        return false;
    case WM_PAINT:
        return OnPaintIconic();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_icon.Get());
        return true;
    case kLayOutAgain:
        m_layOutPosted = false;
        // The layout's own moves of the tab control leave the pages where they belong.
        if (m_pageArea != FromRECT(m_tab.DisplayArea(ToRECT(m_tab.RectInParent())))) {
            LayOut();
        }
        return true;
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure.CtlType == ODT_MENU && m_menu.MeasureItem(measure)) {
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw.CtlType == ODT_MENU && m_menu.DrawItem(draw)) {
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_MENUCHAR: {
        const auto menu = reinterpret_cast<HMENU>(lParam);
        if (!CIconMenu::IsIconMenu(menu)) {
            return false;
        }
        result = m_menu.HandleMenuChar(LOWORD(wParam), HIWORD(wParam), menu);
        return true;
    }
    case WM_DESTROY:
        CHelpViewer::QuitWinHelp(m_hWnd, m_core.HelpPath());
        return false;
    default:
        return false;
    }
}

void CPanelDlg::OnSize() {
    const HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
    if (system == nullptr) {
        return;
    }
    const bool iconic = ::IsIconic(m_hWnd) != FALSE;
    ::EnableMenuItem(system, SC_SIZE, MF_BYCOMMAND | MenuState(false));
    ::EnableMenuItem(system, SC_MAXIMIZE, MF_BYCOMMAND | MenuState(false));
    ::EnableMenuItem(system, SC_RESTORE, MF_BYCOMMAND | MenuState(iconic));
    ::EnableMenuItem(system, SC_MINIMIZE, MF_BYCOMMAND | MenuState(!iconic));
}

bool CPanelDlg::OnPaintIconic() {
    if (!::IsIconic(m_hWnd)) {
        return false;
    }
    const CPaintDC dc(m_hWnd);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()));
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - SystemMetric(SM_CXICON, Dpi()) + 1) / 2;
    const int y = (client.bottom - client.top - SystemMetric(SM_CYICON, Dpi()) + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, m_icon.Get());
    return true;
}

} // namespace sb

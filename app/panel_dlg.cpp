#include "app/panel_dlg.h"

#include "app/about_dlg.h"
#include "app/module_path.h"
#include "files/settings_file.h"
#include "res/resource.h"
#include "ui/dpi.h"

#include <array>

namespace sb {
namespace {

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

// The state flags of a menu item that is on or off.
UINT MenuState(bool enable) {
    return enable ? MF_ENABLED : MF_DISABLED | MF_GRAYED;
}

} // namespace

CPanelDlg::CPanelDlg(FileDialogs* fileDialogs)
    : CDialog(IDD_PANEL), m_fileDialogs(fileDialogs ? *fileDialogs : m_systemFileDialogs),
      m_core(
          PageList{&m_pageSelect, &m_pageParam, &m_pageMsw1, &m_pageMsw2, &m_pageMsw3, &m_pageMsw4},
          *this, m_prompter, m_sender, m_store, m_fileDialogs, m_folders, m_os,
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
    // No focus yet: the window is hidden, and after a printer choice a focus given now would
    // also make it the active window before it is shown. RunModeless gives it once shown.
    return FALSE;
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

bool CPanelDlg::OnIdle() {
    for (int index = 0; index < kPageCount; ++index) {
        if (Page(index).Handle() == nullptr) {
            MadePage(index);
            return true;
        }
    }
    return false;
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

bool CPanelDlg::PreTranslateMessage(MSG& msg) {
    if (m_help.PreTranslate(msg)) {
        return true;
    }
    const int step = TabStepOf(msg);
    if (step == 0 || (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))) {
        return false;
    }
    ShowTab((SelectedTab() + step + kPageCount) % kPageCount);
    return true;
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
    // Until the panel is shown, the choice stands on its own. Closing a modal window hands the
    // activation back to its owner, a hidden one too (Wine), or else to another program's
    // window (Windows); the panel shown next was then already active, or not allowed to the
    // front, and was never made the window the user works in.
    const HWND owner = ::IsWindowVisible(m_hWnd) ? m_hWnd : nullptr;
    return static_cast<int>(m_dlgPrinterSelect->Run(owner));
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

bool CPanelDlg::OnSysCommand(UINT command) {
    if (command != SC_CLOSE) {
        return false;
    }
    m_core.OnExitPanel();
    // Once the panel has ended there is no window left for the default processing.
    return m_hWnd == nullptr;
}

bool CPanelDlg::OnMeasureItem(MEASUREITEMSTRUCT& measure) {
    return measure.CtlType == ODT_MENU && m_menu.MeasureItem(measure);
}

bool CPanelDlg::OnDrawItem(const DRAWITEMSTRUCT& draw) {
    return draw.CtlType == ODT_MENU && m_menu.DrawItem(draw);
}

bool CPanelDlg::OnMenuChar(WORD key, WORD menuType, HMENU menu, LRESULT& result) {
    if (!CIconMenu::IsIconMenu(menu)) {
        return false;
    }
    result = m_menu.HandleMenuChar(key, menuType, menu);
    return true;
}

void CPanelDlg::OnDestroy() {
    CHelpViewer::QuitWinHelp(m_hWnd, m_core.HelpPath());
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

bool CPanelDlg::OnPaint() {
    // Only the minimised window is painted here: the program's icon in the middle.
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

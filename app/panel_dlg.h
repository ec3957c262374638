// The main window: the six settings pages in the tab control, the icon menu, the tool bar
// and the status bar. Its commands run in the core; this class moves what they decide into
// the controls.
#pragma once

#include "app/help_viewer.h"
#include "app/panel_core.h"
#include "app/panel_statusbar.h"
#include "app/panel_toolbar.h"
#include "app/panel_view.h"
#include "app/spooler_record_sender.h"
#include "files/win_file_dialogs.h"
#include "files/win_file_store.h"
#include "files/win_user_folders.h"
#include "ui/gdi.h"
#include "menu/icon_menu.h"
#include "pages/msw_page.h"
#include "pages/param_page.h"
#include "pages/select_page.h"
#include "printer/printer_select_dlg.h"
#include "printer/win_os_version.h"
#include "printer/win_spooler.h"
#include "ui/controls.h"
#include "ui/dialog.h"

#include <array>
#include <optional>

namespace sb {

class CPanelDlg final : public CDialog, public PanelView {
public:
    // fileDialogs: where the file commands ask for a path; the system's dialogs when null.
    explicit CPanelDlg(FileDialogs* fileDialogs = nullptr);
    ~CPanelDlg() override;

    // Makes the window, whose initialisation runs the first printer selection, shows it and
    // runs it until the panel ends: IDOK, or -1 when the window could not be made.
    INT_PTR Run(HACCEL accelerators);

    // PanelView
    void EnableSendCommand(bool enable) override;
    void ShowTab(int tab) override;
    void RefreshFormButtonCaption() override;
    void InitMenu() override;
    void InitIconsAndBars() override;
    void InitTabsAndPages() override;
    void EnablePrinterCommand(bool enable) override;
    void DisableHelpCommand() override;
    int SelectedTab() const override;
    void SetStatusTexts(const std::string& printerPane, const std::string& connectionPane) override;
    void EndPanel() override;
    int RunPrinterSelection(CPrinterSelection& selection) override;
    bool HasUncorrectedValue() const override;
    void CorrectHeadCentering() override;
    bool ShowHelp(HelpViewer viewer, const std::string& path) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    // Enter and Escape never end the panel; only the exit procedure and the printer
    // selection do.
    void OnOK() override {}
    void OnCancel() override {}
    // The system menu's close runs the exit procedure.
    bool OnSysCommand(UINT command) override;
    void OnSize() override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override { return m_icon.Get(); }
    void OnDestroy() override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& measure) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& draw) override;
    bool OnMenuChar(WORD key, WORD menuType, HMENU menu, LRESULT& result) override;
    // The help viewer's keys, then the keys that change tabs, wherever the focus is.
    bool PreTranslateMessage(MSG& msg) override;
    // The pages not made at start-up, one at a time.
    bool OnIdle() override;
    // Pictures, menu and bars made again for the new scale, and the window laid out anew.
    void OnDpiChanged() override;
    // Where the dialog manager scales dialogs itself, it gives the controls their new fonts
    // after the move, and the tab control's rows may change height with them.
    void OnDpiChangeDone() override { LayOut(); }

private:
    // The core's message boxes go wherever this window's go, so that whoever answers the
    // window's boxes answers the core's too.
    class CForwardingPrompter final : public Prompter {
    public:
        explicit CForwardingPrompter(CDialog& owner) : m_owner(owner) {}
        Answer ShowMessage(std::string_view text, std::string_view caption,
                           unsigned style) override {
            return m_owner.Prompt().ShowMessage(text, caption, style);
        }

    private:
        CDialog& m_owner;
    };

    CPage& Page(int tab) { return *m_pages[tab]; }
    // The page's window, made now if it was not yet; hidden unless it is the one shown.
    CPage& MadePage(int tab);
    void SwitchToPage(int tab);
    // The tab control where the template puts it at this scale, below the tool bar, and large
    // enough for a page; the window around it; the pages over its display area.
    void LayOut();
    // Whatever changes the tab control's rows (its font, pictures, items or size, a theme or a
    // system setting) may move its display area: once it has settled, the layout follows.
    static LRESULT CALLBACK TabProc(HWND tab, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR panel);
    void OnTabRowsSettled();
    void PlacePage(const CPage& page) const;
    void SetIcons();
    void SetTabPictures();
    void EnableCommand(UINT menuId, int buttonId, bool enable);

    // Platform services the core works through.
    WinSpooler m_spooler;
    WinOsVersion m_os;
    SpoolerRecordSender m_sender{m_spooler, m_os};
    WinFileStore m_store;
    WinUserFolders m_folders;
    WinFileDialogs m_systemFileDialogs{*this};
    FileDialogs& m_fileDialogs;
    CForwardingPrompter m_prompter{*this};

    CIconMenu m_menu;
    // Made at the first selection, over the core's model, which is the same at every run.
    std::optional<CPrinterSelectDlg> m_dlgPrinterSelect;
    CPage_MSW1 m_pageMsw1;
    CPage_MSW2 m_pageMsw2;
    CPage_MSW3 m_pageMsw3;
    CPage_MSW4 m_pageMsw4;
    CPage_Select m_pageSelect;
    CPage_Param m_pageParam;
    // In tab order, which is also the order of PageIndex.
    const std::array<CPage*, kPageCount> m_pages{&m_pageSelect, &m_pageParam, &m_pageMsw1,
                                                 &m_pageMsw2,   &m_pageMsw3,  &m_pageMsw4};
    CHelpViewer m_help;
    // The help file choice, the printer and the three copies of the record.
    CPanelCore m_core;
    CPanelToolBar m_toolBar;
    CPanelStatusBar m_statusBar;
    CIcon m_icon;
    CIcon m_smallIcon;
    CTabCtrl m_tab;
    CImageList m_tabImages;
    // What the layout starts from: the template's client area and tab control and a page's
    // size, as measured at m_nTemplateDpi when the window was made.
    UINT m_nTemplateDpi = 0;
    Size m_templateClient;
    Rect m_templateTab;
    Size m_pageSize;
    std::optional<Rect> m_pageArea; // the tab control's display area, once laid out
    bool m_tabRowsPosted = false;
};

} // namespace sb

// Resource and command identifiers shared by the resource script and the code.
// Control identifiers live with the window that owns them.
#pragma once

// The main window's title, by which a second instance also finds the first.
#define SB_PANEL_TITLE "VYR Quillstrike 480ZQ9 スイッチボード"

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_PANEL 102
#define IDD_PAGE_MSW1 129
#define IDD_PAGE_MSW2 130
#define IDD_PAGE_MSW3 131
#define IDD_PAGE_MSW4 132
#define IDD_PAGE_PARAM 133
#define IDD_PAGE_SELECT 134
#define IDD_PRINTER_SELECT 152
#define IDD_FORM 182

// Icons, bitmaps, menu and accelerators.
#define IDR_MAINFRAME 128
#define IDR_PANEL_MENU 142
#define IDB_TOOLBAR 150
#define IDB_MENU_LOAD 160
#define IDB_MENU_SAVE 161
#define IDB_MENU_SEND 162
#define IDB_MENU_FACTORY 163
#define IDB_MENU_PRINTER 164
#define IDB_MENU_PARAM 165
#define IDB_MENU_MSW 166
#define IDB_MENU_SELECT 167
#define IDB_TABS 168
// Every picture is drawn at 16, 20, 24 and 32 px: the 16-px one has the id above, each larger
// one the id of the size before it plus this step.
#define IDB_PICTURE_STEP 1000

// Main dialog controls.
#define IDC_TAB 1000
#define IDC_STATUSBAR 2015
#define IDC_TOOLBAR 2016

// Tool-bar buttons; their tool tips are the strings of the same IDs.
#define ID_TB_LOAD 2000
#define ID_TB_SAVE 2001
#define ID_TB_SEND 2002
#define ID_TB_FACTORY 2003
#define ID_TB_PRINTER 2004

// Commands.
#define ID_APP_ABOUT 16
#define ID_SHOW_SELECT 32771
#define ID_SHOW_MSW1 32773
#define ID_SHOW_MSW2 32778
#define ID_SHOW_MSW3 32779
#define ID_SHOW_MSW4 32780
#define ID_LOAD_SETTINGS 32781
#define ID_SAVE_SETTINGS 32782
#define ID_EXIT_PANEL 32783
#define ID_SEND_TO_PRINTER 32784
#define ID_FACTORY_SETTINGS 32785
#define ID_SELECT_PRINTER 32798
#define ID_SHOW_PARAM 32801
#define ID_DATA_CHECK 32805
#define ID_HELP_CONTENTS 32806

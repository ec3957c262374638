// Shows one page over the main window's tab control with the factory record decoded, to look
// at its layout:  switch_page_view msw1|msw2|msw3|msw4|param
#include "pages/msw_page.h"
#include "pages/param_page.h"
#include "record/factory_record.h"
#include "res/resource.h"
#include "ui/controls.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string_view>

namespace sb {
namespace {

INT_PTR CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_CLOSE) {
        ::DestroyWindow(hwnd);
        ::PostQuitMessage(0);
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}

template <class Page> int Show(int tab) {
    const HWND panel = ::CreateDialogParamW(::GetModuleHandleW(nullptr),
                                            MAKEINTRESOURCEW(IDD_PANEL), nullptr, PanelProc, 0);
    if (panel == nullptr) {
        return 1;
    }
    const CTabCtrl tabs(::GetDlgItem(panel, IDC_TAB));
    constexpr std::array<const wchar_t*, 6> kTabs = {L"機能選択", L"パラメータ設定", L"ＭＳＷ１",
                                                     L"ＭＳＷ２", L"ＭＳＷ３",       L"ＭＳＷ４"};
    for (int i = 0; i < static_cast<int>(kTabs.size()); ++i) {
        tabs.InsertItem(i, kTabs[static_cast<std::size_t>(i)], -1);
    }
    tabs.SetCurSel(tab);
    Page page;
    if (!page.CreatePage(panel, true)) {
        return 1;
    }
    SettingRecord record = FactoryRecord();
    page.DecodeRecord(record);
    ::ShowWindow(panel, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(panel, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return 0;
}

int Run(std::string_view name) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (name == "param") {
        return Show<CPage_Param>(1);
    }
    if (name == "msw1") {
        return Show<CPage_MSW1>(2);
    }
    if (name == "msw2") {
        return Show<CPage_MSW2>(3);
    }
    if (name == "msw3") {
        return Show<CPage_MSW3>(4);
    }
    if (name == "msw4") {
        return Show<CPage_MSW4>(5);
    }
    return 2;
}

} // namespace
} // namespace sb

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return sb::Run(commandLine);
}

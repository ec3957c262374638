// Shows the function selection page with the factory values, in a host window, and with
// "form N" also the form settings dialog for form N opened from it: a picture to look at.
#include "page_host.h"
#include "pages/select_ids.h"
#include "pages/select_page.h"
#include "record/factory_record.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    sb::test::CPageHost host;
    host.Activate();
    sb::CPage_Select page;
    if (!page.CreatePage(host.Handle(), true)) {
        return 1;
    }
    sb::SettingRecord record = sb::FactoryRecord();
    page.DecodeRecord(record);
    page.RefreshFormButtonCaption();
    if (argc == 3 && std::strcmp(argv[1], "form") == 0) {
        const HWND combo = page.Item(IDC_SEL_FORM);
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(argv[2])), 0);
        ::SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_SEL_FORM, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
        ::PostMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_SEL_FORM_SETTINGS, BN_CLICKED),
                       reinterpret_cast<LPARAM>(page.Item(IDC_SEL_FORM_SETTINGS)));
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

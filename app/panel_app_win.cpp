// Program entry: runs the main dialog modally; the program ends with it.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

namespace sb {
namespace {

INT_PTR CALLBACK PanelDialogProc(HWND hDlg, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        // Enter and Escape must not close the panel, so IDOK and IDCANCEL stay unhandled.
        EndDialog(hDlg, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace
} // namespace sb

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const INT_PTR result =
        DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_PANEL), nullptr, sb::PanelDialogProc, 0);
    return result == -1 ? 1 : 0;
}

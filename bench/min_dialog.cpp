// The least a dialog program does to show its window: the yardstick for the panel's start-up.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(hDlg, IDOK);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        ::EndDialog(hDlg, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The panel registers the common controls too; the yardstick pays the same.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, DialogProc, 0);
    return 0;
}
